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

HRESULT Shell32Win32::SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token,
                                          DWORD reserved, ITEMIDLIST** list) {
  if (!list) return kEInvalidArg;
  ::LPITEMIDLIST found = nullptr;
  const ::HRESULT result = ::SHGetFolderLocation(reinterpret_cast<::HWND>(owner), csidl,
                                                 reinterpret_cast<::HANDLE>(token), reserved, &found);
  *list = reinterpret_cast<ITEMIDLIST*>(found);
  return static_cast<HRESULT>(result);
}

ITEMIDLIST* Shell32Win32::SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) return nullptr;
  ::BROWSEINFOA request{};
  request.hwndOwner = reinterpret_cast<::HWND>(info->hwndOwner);
  request.pidlRoot = reinterpret_cast<::PCIDLIST_ABSOLUTE>(info->pidlRoot);
  request.pszDisplayName = info->pszDisplayName;
  request.lpszTitle = info->lpszTitle;
  request.ulFlags = info->ulFlags;
  request.lpfn = reinterpret_cast<::BFFCALLBACK>(info->lpfn);
  request.lParam = static_cast<::LPARAM>(info->lParam);
  ::LPITEMIDLIST picked = ::SHBrowseForFolderA(&request);
  info->iImage = request.iImage;
  return reinterpret_cast<ITEMIDLIST*>(picked);
}

HINSTANCE Shell32Win32::ShellExecuteA(HWND owner, const char* verb, const char* file,
                                      const char* parameters, const char* directory, int show) {
  return reinterpret_cast<HINSTANCE>(::ShellExecuteA(reinterpret_cast<::HWND>(owner), verb, file,
                                                     parameters, directory, show));
}

UINT Shell32Win32::ExtractIconExA(const char* file, int index, HICON* large, HICON* small,
                                  UINT count) {
  // One icon at a time, so that the handle widths never matter.
  ::HICON bigOne = nullptr, smallOne = nullptr;
  if (!large && !small) return ::ExtractIconExA(file, index, nullptr, nullptr, count);
  UINT extracted = 0;
  for (UINT i = 0; i < count; ++i) {
    const UINT got = ::ExtractIconExA(file, index < 0 ? index : index + static_cast<int>(i),
                                      large ? &bigOne : nullptr, small ? &smallOne : nullptr, 1);
    if (large) large[i] = reinterpret_cast<HICON>(bigOne);
    if (small) small[i] = reinterpret_cast<HICON>(smallOne);
    if (got == 0) break;
    extracted += 1;
    if (index < 0) break;
  }
  return extracted;
}

void Ole32Win32::CoTaskMemFree(void* memory) { ::CoTaskMemFree(memory); }

}  // namespace zs::platform::win32
