// shell32 and ole32, passed straight to the system.
#pragma once

#include "platform/shell32.h"

namespace zs::platform::win32 {

class Shell32Win32 : public Shell32 {
 public:
  HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) override;
  BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) override;
  HRESULT SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token, DWORD reserved,
                              ITEMIDLIST** list) override;
  ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA* info) override;
  HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                          const char* directory, int show) override;
  UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small, UINT count) override;
};

class Ole32Win32 : public Ole32 {
 public:
  void CoTaskMemFree(void* memory) override;
};

}  // namespace zs::platform::win32
