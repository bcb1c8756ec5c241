// The registry operations of advapi32, with the Win32 names, argument order,
// buffer and length semantics and status codes.
//
// Buffer rules shared by every backend:
// - a name or data buffer that is too small gives kErrorMoreData; for data the
//   needed size is stored in *dataLength, the type is still reported;
// - a null data pointer with a non-null length asks for the size only;
// - string data (REG_SZ, REG_EXPAND_SZ) is reported with a terminating NUL;
// - a null or empty value name is the key's unnamed (default) value;
// - handle 0, a closed handle or one never issued gives kErrorInvalidHandle.
#pragma once

#include "platform/types.h"

namespace zs::platform {

// Privileges: a locally unique identifier and the one-entry record of
// AdjustTokenPrivileges (4 + 12 bytes).
struct LUID {
  DWORD LowPart;
  LONG HighPart;
};
struct LUID_AND_ATTRIBUTES {
  LUID Luid;
  DWORD Attributes;
};
struct TOKEN_PRIVILEGES {
  DWORD PrivilegeCount;
  LUID_AND_ATTRIBUTES Privileges[1];
};
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);
inline constexpr DWORD kTokenAdjustPrivileges = 0x20;
inline constexpr DWORD kTokenQuery = 0x08;
inline constexpr DWORD kSePrivilegeEnabled = 2;

class Advapi32 {
 public:
  virtual ~Advapi32() = default;

  // Opens `subKey` below `key` (a null or empty path: a new handle to `key`)
  // with the rights `sam`. *result is 0 after a failure.
  virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                             HKEY* result) = 0;
  // Opens `subKey`, creating every missing level. A null or empty path on a
  // predefined root gives the root back.
  virtual LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
  virtual LONG RegCloseKey(HKEY key) = 0;
  // Deletes a key that has no sub-keys (one that has gives kErrorAccessDenied).
  virtual LONG RegDeleteKeyA(HKEY key, const char* subKey) = 0;
  virtual LONG RegDeleteValueA(HKEY key, const char* valueName) = 0;
  // `nameSize` is the buffer size in bytes, including the terminating NUL.
  virtual LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) = 0;
  // *nameLength: in the buffer size including the NUL, out the name's length
  // without it. *dataLength: in the buffer size, out the data size.
  virtual LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                             DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataLength) = 0;
  virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                                BYTE* data, DWORD* dataLength) = 0;
  virtual LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD dataLength) = 0;

  // The name of the user the calling thread runs as. *size: in the buffer's
  // size, out on success the name's length with its NUL. A buffer that is too
  // small fails with kErrorInsufficientBuffer (GetLastError) and *size the
  // size needed, NUL included; nothing is written.
  virtual BOOL GetUserNameA(char* buffer, DWORD* size) = 0;

  // The access token of `process`, to be closed with kernel32's CloseHandle.
  virtual BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) = 0;
  // The identifier of the privilege `name` on `systemName` (null: here).
  virtual BOOL LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) = 0;
  // Enables or disables the privileges of `newState` in `token`.
  virtual BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                                     const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                                     TOKEN_PRIVILEGES* previousState, DWORD* returnLength) = 0;
};

}  // namespace zs::platform
