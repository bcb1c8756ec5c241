// The registry operations of advapi32, passed straight to the system.
#pragma once

#include "platform/advapi32.h"

namespace zs::platform::win32 {

class Advapi32Win32 : public Advapi32 {
 public:
  LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                     HKEY* result) override;
  LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override;
  LONG RegCloseKey(HKEY key) override;
  LONG RegDeleteKeyA(HKEY key, const char* subKey) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataLength) override;
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataLength) override;
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                      const BYTE* data, DWORD dataLength) override;
  BOOL GetUserNameA(char* buffer, DWORD* size) override;
  BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) override;
  BOOL LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) override;
  BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                             const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                             TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override;
};

}  // namespace zs::platform::win32
