#include "core/property_bag.h"

#include "core/variant_ops.h"

namespace zs {

bool equalsDefault(const Variant& value, const Variant& defaultValue) {
  return value.kind() == defaultValue.kind() && value.kind() != Kind::Object &&
         equals(value, defaultValue);
}

String MemoryPropertyBag::fold(StringView name) {
  String out(name);
  for (auto& c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return out;
}

Variant MemoryPropertyBag::ReadProperty(StringView name, const Variant& defaultValue) {
  auto it = values_.find(fold(name));
  return it == values_.end() ? defaultValue : it->second;
}

void MemoryPropertyBag::WriteProperty(StringView name, const Variant& value,
                                      const Variant& defaultValue) {
  auto key = fold(name);
  if (equalsDefault(value, defaultValue)) {
    values_.erase(key);
  } else {
    values_[key] = value;
  }
}

bool MemoryPropertyBag::contains(StringView name) const { return values_.count(fold(name)) != 0; }

}  // namespace zs
