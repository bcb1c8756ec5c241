// Saved properties of controls: the property bag that a host keeps with its
// form, and the change notification that a control sends after each write.
#pragma once

#include <map>
#include <vector>

#include "core/object.h"
#include "core/variant.h"

namespace zs {

// Whether a bag may leave out `value` written with `defaultValue`: only like
// kinds are compared (a String "0" is not the Long default 0), objects never.
bool equalsDefault(const Variant& value, const Variant& defaultValue);

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The value stored under `name`, or `defaultValue` when the bag has none.
  virtual Variant ReadProperty(StringView name, const Variant& defaultValue) = 0;
  // Stores `value` under `name`; a bag may leave out a value equal to its default.
  virtual void WriteProperty(StringView name, const Variant& value, const Variant& defaultValue) = 0;
};

// An in-memory bag that leaves out values equal to their defaults. Names are
// compared without regard to ASCII letter case, as hosts do.
class MemoryPropertyBag final : public PropertyBag {
 public:
  Variant ReadProperty(StringView name, const Variant& defaultValue) override;
  void WriteProperty(StringView name, const Variant& value, const Variant& defaultValue) override;

  bool contains(StringView name) const;
  std::size_t size() const { return values_.size(); }

 private:
  static String fold(StringView name);
  std::map<String, Variant> values_;
};

// The host container's side of change notification.
class ChangeSink {
 public:
  virtual ~ChangeSink() = default;
  virtual void PropertyChanged(StringView name) = 0;
};

// A control: an object that a host places on a form.
class Control : public Object {
 public:
  // Newly placed on a form: set the defaults.
  virtual void InitProperties() {}
  // Loaded from a saved form.
  virtual void ReadProperties(PropertyBag&) {}
  // The host saves the form.
  virtual void WriteProperties(PropertyBag&) {}

  void setChangeSink(std::shared_ptr<ChangeSink> sink) { sink_ = std::move(sink); }

 protected:
  // Tells the host that the property `name` has changed.
  void PropertyChanged(StringView name) {
    if (sink_) sink_->PropertyChanged(name);
  }

 private:
  std::shared_ptr<ChangeSink> sink_;
};

}  // namespace zs
