#include "platform/testing/fake_shell32.h"

#include <cstring>

namespace zs::platform::testing {
namespace {

std::optional<std::string> text(const char* s) {
  return s ? std::optional<std::string>(s) : std::nullopt;
}

}  // namespace

ITEMIDLIST* FakeShell32::handOut(std::optional<std::string> path) {
  auto item = std::make_unique<Item>(Item{std::move(path)});
  auto* list = reinterpret_cast<ITEMIDLIST*>(item.get());
  live_.emplace(item.get(), std::move(item));
  return list;
}

HRESULT FakeShell32::SHGetSpecialFolderLocation(HWND, int csidl, ITEMIDLIST** list) {
  asked_.push_back(csidl);
  if (!list) return kEInvalidArg;
  *list = nullptr;
  if (const auto found = folders_.find(csidl); found != folders_.end()) {
    *list = handOut(found->second);
  } else if (virtual_.count(csidl)) {
    *list = handOut(std::nullopt);
  } else {
    return kEFail;
  }
  return kSOk;
}

HRESULT FakeShell32::SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t token,
                                         DWORD reserved, ITEMIDLIST** list) {
  locationCalls_.push_back({owner, csidl, token, reserved});
  if (!list) return kEInvalidArg;
  *list = nullptr;
  const auto found = located_.find(csidl);
  if (found == located_.end()) return kEFail;
  *list = handOut(found->second);
  return kSOk;
}

BOOL FakeShell32::SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  if (!path) return 0;
  path[0] = '\0';
  const auto live = live_.find(list);
  if (live == live_.end()) return 0;
  const auto& found = live->second->path;
  if (!found || found->empty() || found->size() + 1 > kMaxPath) return 0;
  std::memcpy(path, found->c_str(), found->size() + 1);
  return 1;
}

ITEMIDLIST* FakeShell32::SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) return nullptr;
  BrowseCall call{info->hwndOwner, std::nullopt, false, {}, text(info->lpszTitle).value_or(""),
                  info->ulFlags, info->lpfn != nullptr};
  if (const auto live = live_.find(info->pidlRoot); live != live_.end()) {
    call.rootKnown = true;
    call.root = live->second->path;
  }
  if (info->pszDisplayName) call.displayBuffer.assign(info->pszDisplayName, kMaxPath);
  browseCalls_.push_back(std::move(call));
  if (picks_.empty()) return nullptr;
  Pick pick = std::move(picks_.front());
  picks_.pop_front();
  if (info->pszDisplayName) {
    const std::size_t n = std::min<std::size_t>(pick.displayName.size(), kMaxPath - 1);
    std::memcpy(info->pszDisplayName, pick.displayName.data(), n);
    info->pszDisplayName[n] = '\0';
  }
  return handOut(std::move(pick.path));
}

HINSTANCE FakeShell32::ShellExecuteA(HWND owner, const char* verb, const char* file,
                                     const char* parameters, const char* directory, int show) {
  executeCalls_.push_back({owner, text(verb), text(file), text(parameters), text(directory), show});
  return kSeStarted;
}

UINT FakeShell32::ExtractIconExA(const char* file, int index, HICON* large, HICON* small,
                                 UINT count) {
  extractCalls_.push_back({file ? file : "", index, large != nullptr, small != nullptr, count});
  const auto found = icons_.find(file ? file : "");
  const std::size_t known = found == icons_.end() ? 0 : found->second.size();
  if (index == -1 && !large && !small) return static_cast<UINT>(known);
  UINT extracted = 0;
  for (UINT i = 0; i < count; ++i) {
    const long long at = static_cast<long long>(index) + i;
    const bool there = at >= 0 && static_cast<std::size_t>(at) < known;
    if (large) large[i] = there ? found->second[at].first : 0;
    if (small) small[i] = there ? found->second[at].second : 0;
    extracted += there;
  }
  return extracted;
}

void FakeShell32::CoTaskMemFree(void* memory) {
  live_.erase(memory);
}

}  // namespace zs::platform::testing
