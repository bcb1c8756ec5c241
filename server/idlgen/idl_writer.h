// Writes the type library source (IDL) of the exposed classes.
#pragma once

#include <string>

#include "server/idlgen/interface_model.h"

namespace zs::idl {

// The IDL spelling of a declared type (by-reference adds the pointer).
std::string idlType(TypeRef type, bool byRef);

// A default value as an IDL literal for a parameter of the given type.
std::string idlLiteral(const Variant& value, TypeRef type);

std::string writeIdl();

}  // namespace zs::idl
