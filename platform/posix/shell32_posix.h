// shell32 and ole32 on Linux: special folders from the XDG table of
// user_folders.h. An item list is a block of the C heap holding the folder's
// path, freed by CoTaskMemFree.
#pragma once

#include "platform/posix/user_folders.h"
#include "platform/shell32.h"

namespace zs::platform::posix {

class Shell32Posix : public Shell32 {
 public:
  explicit Shell32Posix(EnvironmentReader env = processEnvironment()) : env_(std::move(env)) {}
  HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) override;
  BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) override;

 private:
  EnvironmentReader env_;
};

class Ole32Posix : public Ole32 {
 public:
  void CoTaskMemFree(void* memory) override;
};

}  // namespace zs::platform::posix
