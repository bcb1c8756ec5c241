// version.dll, passed straight to the system.
#pragma once

#include "platform/version.h"

namespace zs::platform::win32 {

class VersionWin32 : public Version {
 public:
  DWORD GetFileVersionInfoSizeA(const char* filename, DWORD* handle) override;
  BOOL GetFileVersionInfoA(const char* filename, DWORD handle, DWORD length, void* data) override;
  BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                      UINT* length) override;
  DWORD VerLanguageNameA(DWORD language, char* name, DWORD size) override;
};

}  // namespace zs::platform::win32
