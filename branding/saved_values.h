// Reading the branding controls' saved values back from a property bag.
#pragma once

#include "core/property_bag.h"

namespace zs::branding {

// The text under `key`, or `defaultValue` when the bag has none.
String readText(PropertyBag& bag, StringView key, StringView defaultValue);

// The picture under `key`, or `defaultValue` when the bag has none. Nothing
// stays a null reference; anything but a picture object is a type mismatch.
ObjectPtr readPicture(PropertyBag& bag, StringView key, const Variant& defaultValue = Variant::nothing());

}  // namespace zs::branding
