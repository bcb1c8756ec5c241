// For tests: the number of the run-time error a call raises.
#pragma once

#include "core/error.h"

namespace zs {

// The error number that `fn` raises, or 0 when it returns normally.
template <class F>
int errorOf(F&& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace zs
