// A plain-text listing of what the type library must hold: the library, its
// enumerations, every coclass with its interfaces and every function with its
// dispatch id, access, flags, parameters and result. The type-library drift
// test prints the same listing from the registered type library under Wine and
// compares the two line by line.
#pragma once

#include <string>

namespace zs::idl {

std::string catalogueDump();

}  // namespace zs::idl
