#include "platform/testing/fake_shell32.h"

#include <cstring>

namespace zs::platform::testing {

HRESULT FakeShell32::SHGetSpecialFolderLocation(HWND, int csidl, ITEMIDLIST** list) {
  asked_.push_back(csidl);
  if (!list) return kEInvalidArg;
  *list = nullptr;
  if (!folders_.count(csidl) && !virtual_.count(csidl)) return kEFail;
  auto item = std::make_unique<Item>(Item{csidl});
  *list = reinterpret_cast<ITEMIDLIST*>(item.get());
  live_.emplace(item.get(), std::move(item));
  return kSOk;
}

BOOL FakeShell32::SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  if (!path) return 0;
  path[0] = '\0';
  const auto live = live_.find(list);
  if (live == live_.end()) return 0;
  const auto found = folders_.find(live->second->csidl);
  if (found == folders_.end() || found->second.size() + 1 > kMaxPath) return 0;
  std::memcpy(path, found->second.c_str(), found->second.size() + 1);
  return 1;
}

void FakeShell32::CoTaskMemFree(void* memory) {
  live_.erase(memory);
}

}  // namespace zs::platform::testing
