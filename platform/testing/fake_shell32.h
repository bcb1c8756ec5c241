// An in-memory shell32 and ole32 for tests: folders set up by the test, the
// item lists handed out and freed counted, the folder numbers asked recorded;
// the folder browser answers with the picks the test queued, and documents
// opened are recorded.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
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
  // The folder is known to SHGetFolderLocation only.
  void setFolderLocationOnly(int csidl, std::string path) { located_[csidl] = std::move(path); }
  const std::vector<int>& asked() const { return asked_; }
  // Item lists handed out and not freed yet.
  std::size_t outstanding() const { return live_.size(); }

  struct FolderLocationCall {
    HWND owner;
    int csidl;
    std::uintptr_t token;
    DWORD reserved;
  };
  const std::vector<FolderLocationCall>& folderLocationCalls() const { return locationCalls_; }

  // The next browse picks an item with this display name and path (nullopt:
  // an item without a file-system path); with no pick queued the user cancels.
  void queuePick(std::string displayName, std::optional<std::string> path) {
    picks_.push_back({std::move(displayName), std::move(path)});
  }
  struct BrowseCall {
    HWND owner;
    std::optional<std::string> root;  // the path of the root list, nullopt for none
    bool rootKnown;                   // the root list was one of this fake's
    std::string displayBuffer;        // the display-name buffer as it came (kMaxPath bytes)
    std::string title;
    UINT flags;
    bool callback;
  };
  const std::vector<BrowseCall>& browseCalls() const { return browseCalls_; }

  struct ExecuteCall {
    HWND owner;
    std::optional<std::string> verb, file, parameters, directory;
    int show;
  };
  const std::vector<ExecuteCall>& executeCalls() const { return executeCalls_; }

  // The icons of a file: each has a large and a small handle (0: that
  // variant is missing).
  void setIcons(std::string file, std::vector<std::pair<HICON, HICON>> icons) {
    icons_[std::move(file)] = std::move(icons);
  }
  struct ExtractCall {
    std::string file;
    int index;
    bool large, small;
    UINT count;
  };
  const std::vector<ExtractCall>& extractCalls() const { return extractCalls_; }

  HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) override;
  BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) override;
  HRESULT SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token, DWORD reserved,
                              ITEMIDLIST** list) override;
  ITEMIDLIST* SHBrowseForFolderA(BROWSEINFOA* info) override;
  HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                          const char* directory, int show) override;
  UINT ExtractIconExA(const char* file, int index, HICON* large, HICON* small, UINT count) override;
  void CoTaskMemFree(void* memory) override;

 private:
  struct Item {
    std::optional<std::string> path;  // nullopt: no file-system path
  };
  struct Pick {
    std::string displayName;
    std::optional<std::string> path;
  };
  ITEMIDLIST* handOut(std::optional<std::string> path);

  std::map<int, std::string> folders_, located_;
  std::set<int> virtual_;
  std::vector<int> asked_;
  std::vector<FolderLocationCall> locationCalls_;
  std::deque<Pick> picks_;
  std::vector<BrowseCall> browseCalls_;
  std::vector<ExecuteCall> executeCalls_;
  std::map<std::string, std::vector<std::pair<HICON, HICON>>> icons_;
  std::vector<ExtractCall> extractCalls_;
  std::map<const void*, std::unique_ptr<Item>> live_;
};

}  // namespace zs::platform::testing
