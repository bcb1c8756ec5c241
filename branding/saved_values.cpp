#include "branding/saved_values.h"

#include "branding/picture.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs::branding {

String readText(PropertyBag& bag, StringView key, StringView defaultValue) {
  return toText(bag.ReadProperty(key, Variant(defaultValue)));
}

ObjectPtr readPicture(PropertyBag& bag, StringView key, const Variant& defaultValue) {
  Variant v = bag.ReadProperty(key, defaultValue);
  if (v.kind() != Kind::Object) throw Error(err::kTypeMismatch);
  if (v.object() && !std::dynamic_pointer_cast<Picture>(v.object())) throw Error(err::kTypeMismatch);
  return v.object();
}

}  // namespace zs::branding
