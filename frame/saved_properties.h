// A control's saved properties as an ordered list of named values, and their
// byte form: what a container stores when it keeps a control's properties in a
// stream rather than in a property bag of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/property_bag.h"

namespace zs {

struct SavedProperty {
  String name;
  Variant value;
};

// A bag that keeps the values in the order they were written. Names are
// compared without regard to ASCII letter case. With `keepDefaults` false a
// value equal to its default is left out (and removes an earlier one).
class SavedPropertyBag final : public PropertyBag {
 public:
  explicit SavedPropertyBag(bool keepDefaults = false) : keepDefaults_(keepDefaults) {}
  explicit SavedPropertyBag(std::vector<SavedProperty> values) : values_(std::move(values)) {}

  Variant ReadProperty(StringView name, const Variant& defaultValue) override;
  void WriteProperty(StringView name, const Variant& value, const Variant& defaultValue) override;

  const std::vector<SavedProperty>& values() const { return values_; }

 private:
  std::vector<SavedProperty>::iterator find(StringView name);
  bool keepDefaults_ = false;
  std::vector<SavedProperty> values_;
};

// Objects (pictures) travel as bytes that the host side produces and reads
// back; an empty result is not allowed for an object (it stands for Nothing).
using ObjectWriter = std::function<std::vector<std::uint8_t>(const ObjectPtr&)>;
using ObjectReader = std::function<ObjectPtr(std::span<const std::uint8_t>)>;

// The largest body encodeSavedProperties writes and decodeSavedProperties reads.
inline constexpr std::size_t kSavedPropertiesLimit = 16u << 20;
// The fixed header before the body: the signature "ZSPB", the format version
// (16 bits) and the body's length in bytes (32 bits), little-endian.
inline constexpr std::size_t kSavedPropertiesHeader = 10;

// The header and body of `values`. Raises 13 for a value the format cannot
// hold (an object without `writeObject`), 7 when the body passes the limit.
std::vector<std::uint8_t> encodeSavedProperties(std::span<const SavedProperty> values,
                                                const ObjectWriter& writeObject = {});

// The body length that a header announces; raises 5 for a header of another
// format or version and for a length over the limit.
std::size_t savedPropertiesBodyLength(std::span<const std::uint8_t> header);

// The values of a body (without its header). Raises 5 for damaged data:
// a record cut short, an unknown kind, bytes left over, an object without
// `readObject`.
std::vector<SavedProperty> decodeSavedProperties(std::span<const std::uint8_t> body,
                                                 const ObjectReader& readObject = {});

}  // namespace zs
