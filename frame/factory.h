// Creating library objects by class name, ProgID or CLSID.
#pragma once

#include <string_view>

#include "frame/catalogue.h"

namespace zs {

// Creates an object (Initialize has run). Raises 429 with a description that
// names the class when the name is unknown, the class is not built yet, or it
// is not creatable.
ObjectPtr createObject(std::string_view nameProgIdOrClsid);
ObjectPtr createObject(const ClassInfo& cls);

// The predeclared default instance of a global, collection or item class: one
// per class and thread (the apartment a host calls from), created at first use
// and kept until the thread ends. Other kinds raise 429.
ObjectPtr predeclaredInstance(const ClassInfo& cls);

}  // namespace zs
