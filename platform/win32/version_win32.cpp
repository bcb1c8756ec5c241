#include "platform/win32/version_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

DWORD VersionWin32::GetFileVersionInfoSizeA(const char* filename, DWORD* handle) {
  ::DWORD ignored = 0;
  const ::DWORD size = ::GetFileVersionInfoSizeA(filename, &ignored);
  if (handle) *handle = ignored;
  return size;
}

BOOL VersionWin32::GetFileVersionInfoA(const char* filename, DWORD handle, DWORD length,
                                       void* data) {
  return ::GetFileVersionInfoA(filename, handle, length, data);
}

BOOL VersionWin32::VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                                  UINT* length) {
  ::UINT found = 0;
  const ::BOOL ok = ::VerQueryValueA(block, subBlock, buffer, &found);
  if (length) *length = found;
  return ok;
}

DWORD VersionWin32::VerLanguageNameA(DWORD language, char* name, DWORD size) {
  return ::VerLanguageNameA(language, name, size);
}

}  // namespace zs::platform::win32
