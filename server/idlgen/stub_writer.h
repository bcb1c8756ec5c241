// Writes the C++ vtables of the dual interfaces: one stub per function of the
// interface, in type-library order, each handing its arguments to the server's
// generic dual call (server/dual_call.h).
#pragma once

#include <string>

#include "server/idlgen/interface_model.h"

namespace zs::idl {

struct CType {
  std::string spelling;  // the C type of a by-value parameter
  std::string vartype;   // the VARTYPE the server reads it as
};
CType cTypeOf(TypeRef type);

std::string writeStubs();

}  // namespace zs::idl
