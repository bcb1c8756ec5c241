// Writes the type library source (IDL) of the exposed classes.
#pragma once

#include <string>
#include <vector>

#include "server/idlgen/interface_model.h"

namespace zs::idl {

// The IDL spelling of a declared type (by-reference adds the pointer).
std::string idlType(TypeRef type, bool byRef);

// A default value as an IDL literal for a parameter of the given type.
std::string idlLiteral(const Variant& value, TypeRef type);

// The default of an optional parameter as the type library states it, or ""
// when it states none: a Variant without a declared default, and a String
// passed by reference (widl takes no text default on a pointer; callers of the
// vtable pass the value, IDispatch callers get the catalogue's default).
std::string idlDefault(const Param& p, bool byRef);

// The enumerations in the order the compiled type library holds them: those
// that a member of an exposed class uses, in the order of first use (widl
// lays these out as it meets them), then the others in catalogue order.
std::vector<const EnumInfo*> libraryEnumerations();

std::string writeIdl();

}  // namespace zs::idl
