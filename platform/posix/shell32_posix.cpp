#include "platform/posix/shell32_posix.h"

#include <cstdlib>
#include <cstring>

namespace zs::platform::posix {
namespace {

// An item list: this tag, then the path with its NUL.
constexpr char kTag[4] = {'Z', 'S', 'I', 'L'};

}  // namespace

HRESULT Shell32Posix::SHGetSpecialFolderLocation(HWND, int csidl, ITEMIDLIST** list) {
  if (!list) return kEInvalidArg;
  *list = nullptr;
  const std::string path = userFolder(csidl, env_);
  if (path.empty()) return kEFail;
  auto* block = static_cast<char*>(std::malloc(sizeof kTag + path.size() + 1));
  if (!block) return kEFail;
  std::memcpy(block, kTag, sizeof kTag);
  std::memcpy(block + sizeof kTag, path.c_str(), path.size() + 1);
  *list = reinterpret_cast<ITEMIDLIST*>(block);
  return kSOk;
}

BOOL Shell32Posix::SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  if (!path) return 0;
  const auto* block = reinterpret_cast<const char*>(list);
  if (!block || std::memcmp(block, kTag, sizeof kTag) != 0) {
    path[0] = '\0';
    return 0;
  }
  const char* text = block + sizeof kTag;
  const std::size_t length = std::strlen(text);
  if (length + 1 > kMaxPath) {
    path[0] = '\0';
    return 0;
  }
  std::memcpy(path, text, length + 1);
  return 1;
}

void Ole32Posix::CoTaskMemFree(void* memory) { std::free(memory); }

}  // namespace zs::platform::posix
