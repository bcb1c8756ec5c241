// Process tokens on Linux. Linux has no tokens and no shutdown privilege:
// whether a caller may sleep or stop the machine is logind's decision (its
// polkit policy), made when the request arrives. The token calls therefore
// succeed without effect on one fixed token of the current process, so that
// code written for Windows runs its privilege steps unchanged.
#pragma once

#include "platform/types.h"

namespace zs::platform::posix {

inline constexpr HANDLE kProcessToken = 0x7A54;  // the one token, of the current process

}  // namespace zs::platform::posix
