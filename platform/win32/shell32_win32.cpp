#include "platform/win32/shell32_win32.h"

#include <windows.h>
#include <shlobj.h>

namespace zs::platform::win32 {

HRESULT Shell32Win32::SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) {
  if (!list) return kEInvalidArg;
  ::LPITEMIDLIST found = nullptr;
  const ::HRESULT result =
      ::SHGetSpecialFolderLocation(reinterpret_cast<::HWND>(owner), csidl, &found);
  *list = reinterpret_cast<ITEMIDLIST*>(found);
  return static_cast<HRESULT>(result);
}

BOOL Shell32Win32::SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  return ::SHGetPathFromIDListA(reinterpret_cast<::PCIDLIST_ABSOLUTE>(list), path);
}

void Ole32Win32::CoTaskMemFree(void* memory) { ::CoTaskMemFree(memory); }

}  // namespace zs::platform::win32
