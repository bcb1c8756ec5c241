#include "server/host_property_bag.h"

#include <string>

#include "core/error.h"
#include "server/com_ptr.h"
#include "server/variant_convert.h"

namespace zs::server {
namespace {

struct OwnedVariant {
  VARIANT v;
  OwnedVariant() { VariantInit(&v); }
  ~OwnedVariant() { VariantClear(&v); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
};

}  // namespace

Variant HostPropertyBag::ReadProperty(StringView name, const Variant& defaultValue) {
  const std::wstring key(name.begin(), name.end());
  OwnedVariant value;  // VT_EMPTY: the bag gives the kind it stored
  if (FAILED(bag_->Read(key.c_str(), &value.v, log_))) return defaultValue;
  return fromVariant(value.v);
}

void HostPropertyBag::WriteProperty(StringView name, const Variant& value,
                                    const Variant& defaultValue) {
  if (!saveAll_ && equalsDefault(value, defaultValue)) return;
  const std::wstring key(name.begin(), name.end());
  OwnedVariant out;
  toVariant(value, &out.v);
  const HRESULT hr = bag_->Write(key.c_str(), &out.v);
  if (FAILED(hr)) {
    failure_ = hr;
    throw Error(err::kInvalidCall, "The container did not take the property " + u8(name));
  }
}

}  // namespace zs::server
