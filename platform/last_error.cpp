#include "platform/last_error.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zs::platform {

#ifdef _WIN32
DWORD GetLastError() { return ::GetLastError(); }
void SetLastError(DWORD code) { ::SetLastError(code); }
#else
namespace {
thread_local DWORD lastError = 0;
}  // namespace

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD code) { lastError = code; }
#endif

}  // namespace zs::platform
