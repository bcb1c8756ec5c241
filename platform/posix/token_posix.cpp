// The token calls of the Linux advapi32 and the handle calls of its kernel32.
#include <strings.h>

#include "platform/last_error.h"
#include "platform/posix/advapi32_posix.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/posix/token_posix.h"

namespace zs::platform::posix {
namespace {

constexpr LONG kErrorNoSuchPrivilege = 1313;
constexpr DWORD kShutdownPrivilege = 19;  // SE_SHUTDOWN_PRIVILEGE, as Windows numbers it

BOOL fail(DWORD code) {
  SetLastError(code);
  return 0;
}

}  // namespace

BOOL Advapi32Posix::OpenProcessToken(HANDLE process, DWORD, HANDLE* token) {
  if (token == nullptr) return fail(kErrorInvalidParameter);
  if (process != kCurrentProcess) return fail(kErrorInvalidHandle);
  *token = kProcessToken;
  return 1;
}

BOOL Advapi32Posix::LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) {
  if (name == nullptr || luid == nullptr) return fail(kErrorInvalidParameter);
  if (systemName != nullptr && *systemName != '\0') return fail(kErrorNotSupported);
  if (::strcasecmp(name, "SeShutdownPrivilege") != 0) return fail(kErrorNoSuchPrivilege);
  *luid = LUID{kShutdownPrivilege, 0};
  return 1;
}

BOOL Advapi32Posix::AdjustTokenPrivileges(HANDLE token, BOOL, const TOKEN_PRIVILEGES* newState,
                                          DWORD, TOKEN_PRIVILEGES* previousState,
                                          DWORD* returnLength) {
  if (token != kProcessToken) return fail(kErrorInvalidHandle);
  if (newState == nullptr) return fail(kErrorInvalidParameter);
  // Nothing changes, so nothing was different before.
  if (previousState != nullptr) previousState->PrivilegeCount = 0;
  if (returnLength != nullptr) *returnLength = sizeof(DWORD);
  SetLastError(kErrorSuccess);
  return 1;
}

HANDLE Kernel32Posix::GetCurrentProcess() { return kCurrentProcess; }

BOOL Kernel32Posix::CloseHandle(HANDLE handle) {
  if (handle == kProcessToken || handle == kCurrentProcess) return 1;
  return fail(kErrorInvalidHandle);
}

}  // namespace zs::platform::posix
