// shell32 and ole32 on Linux: special folders from the XDG table of
// user_folders.h. An item list is a block of the C heap holding the folder's
// path, freed by CoTaskMemFree. The folder browser is the desktop's
// (folder_picker.h); documents and links open through the launcher
// (open_target.h).
#pragma once

#include "platform/posix/folder_picker.h"
#include "platform/posix/user_folders.h"
#include "platform/shell32.h"

namespace zs::platform::posix {

class Shell32Posix : public Shell32 {
 public:
  explicit Shell32Posix(EnvironmentReader env = processEnvironment(),
                        FolderPicker picker = pickFolder)
      : env_(std::move(env)), picker_(std::move(picker)) {}
  HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) override;
  BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) override;
  // The token is not looked at: only the current user's folders are known.
  HRESULT SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token, DWORD reserved,
                              ITEMIDLIST** list) override;
  // Starts in the root list's folder (the home folder without one); the
  // display name is the picked folder's last component.
  ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA* info) override;
  // Only the default action ("open" or none) exists; parameters and the
  // folder are not used, and the program starts in "/".
  HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                          const char* directory, int show) override;
  // The icons of .ico files and executables (icon_image.h), 32 and 16 pixels.
  UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small, UINT count) override;

 private:
  EnvironmentReader env_;
  FolderPicker picker_;
};

class Ole32Posix : public Ole32 {
 public:
  void CoTaskMemFree(void* memory) override;
};

}  // namespace zs::platform::posix
