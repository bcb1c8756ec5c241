// The calling thread's last error code, as Win32 keeps it: the calls that
// report failure through their result (BOOL 0) leave the reason here. On
// Windows these are the system's own; elsewhere a per-thread value that the
// Linux backends and the fakes set.
#pragma once

#include "platform/types.h"

namespace zs::platform {

DWORD GetLastError();
void SetLastError(DWORD code);

}  // namespace zs::platform
