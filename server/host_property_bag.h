// A container's IPropertyBag seen as the library's PropertyBag, so that a
// control's ReadProperties and WriteProperties run against it unchanged.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "core/property_bag.h"

namespace zs::server {

class HostPropertyBag final : public PropertyBag {
 public:
  // `saveAll`: write values equal to their defaults too (the container asked
  // for every property).
  HostPropertyBag(IPropertyBag* bag, IErrorLog* log, bool saveAll)
      : bag_(bag), log_(log), saveAll_(saveAll) {}

  // The stored value in the kind the bag kept it, or the default when the bag
  // has none (or cannot give it).
  Variant ReadProperty(StringView name, const Variant& defaultValue) override;
  // Raises 5 when the bag refuses the value; failure() then holds its code.
  void WriteProperty(StringView name, const Variant& value, const Variant& defaultValue) override;

  HRESULT failure() const { return failure_; }

 private:
  IPropertyBag* bag_;
  IErrorLog* log_;
  bool saveAll_;
  HRESULT failure_ = S_OK;
};

}  // namespace zs::server
