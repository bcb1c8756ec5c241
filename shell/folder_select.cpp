#include "shell/folder_select.h"

#include <string>

#include "platform/ansi.h"

namespace zs {
namespace {

// The text of a buffer up to its first NUL (all of it when there is none).
std::string_view beforeNul(const std::string& buffer) {
  return std::string_view(buffer.data(), std::min(buffer.find('\0'), buffer.size()));
}

}  // namespace

FolderBrowse::FolderBrowse(const platform::Libraries& libraries) : libraries_(libraries) {}

FolderSelectValues& FolderBrowse::picks() {
  if (!picks_) picks_ = create<FolderSelectValues>();
  return *picks_;
}

std::shared_ptr<FolderSelectValues> FolderBrowse::FolderSelect(const Long& Folder,
                                                               const String& Title) {
  auto& shell = *libraries_.shell32;
  const auto freeList = [this](platform::ITEMIDLIST* l) { libraries_.ole32->CoTaskMemFree(l); };
  using OwnedList = std::unique_ptr<platform::ITEMIDLIST, decltype(freeList)>;

  platform::ITEMIDLIST* rootList = nullptr;
  if (shell.SHGetSpecialFolderLocation(0, Folder, &rootList) != platform::kSOk) {
    if (rootList) libraries_.ole32->CoTaskMemFree(rootList);
    rootList = nullptr;
    shell.SHGetFolderLocation(1, Folder, 0, 0, &rootList);
  }
  // The root list is released on every path, the error ones included.
  const OwnedList root(rootList, freeList);

  std::string displayName(platform::kMaxPath, ' ');
  const std::string title = platform::toAnsi(Title);
  platform::BROWSEINFOA request{};
  request.pidlRoot = root.get();
  request.pszDisplayName = displayName.data();
  request.lpszTitle = title.c_str();
  const OwnedList picked(shell.SHBrowseForFolderA(&request), freeList);
  if (picked) {
    const String name = platform::fromAnsi(beforeNul(displayName));
    std::string path(platform::kMaxPath, ' ');
    const String location = shell.SHGetPathFromIDListA(picked.get(), path.data())
                                ? platform::fromAnsi(beforeNul(path))
                                : String(kVirtualFolder);
    picks().Add(name, location);
  }
  picks();
  return picks_;
}

}  // namespace zs
