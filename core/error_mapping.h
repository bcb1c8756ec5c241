// The one translation of a C++ exception into a run-time error, used wherever
// a call leaves the library for a client (the COM server, the automation host,
// the zavrin command).
#pragma once

#include "core/error.h"

namespace zs {

// Call only inside a catch block: the exception being handled as an Error.
//   zs::Error                                 itself
//   std::bad_alloc, std::length_error         7 (Out of memory): a value too
//                                             large to hold is the same fault
//   anything else                             51 "Internal error"
// The text of a foreign exception is not passed on: it was written for the
// library's developers (and may come from a third-party library), not for
// the caller.
Error currentError();

}  // namespace zs
