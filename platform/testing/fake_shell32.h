// An in-memory shell32 and ole32 for tests: folders set up by the test, the
// item lists handed out and freed counted, the folder numbers asked recorded.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/shell32.h"

namespace zs::platform::testing {

class FakeShell32 : public Shell32, public Ole32 {
 public:
  // The folder `csidl` has `path`; any other number fails.
  void setFolder(int csidl, std::string path) { folders_[csidl] = std::move(path); }
  // The folder is known but has no file-system path (a printers folder).
  void setVirtualFolder(int csidl) { virtual_.insert(csidl); }
  const std::vector<int>& asked() const { return asked_; }
  // Item lists handed out and not freed yet.
  std::size_t outstanding() const { return live_.size(); }

  HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) override;
  BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) override;
  void CoTaskMemFree(void* memory) override;

 private:
  struct Item {
    int csidl;
  };
  std::map<int, std::string> folders_;
  std::set<int> virtual_;
  std::vector<int> asked_;
  std::map<const void*, std::unique_ptr<Item>> live_;
};

}  // namespace zs::platform::testing
