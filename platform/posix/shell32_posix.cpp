#include "platform/posix/shell32_posix.h"

#include <strings.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/posix/gdi_objects.h"
#include "platform/posix/icon_image.h"
#include "platform/posix/launcher.h"
#include "platform/posix/open_target.h"

namespace zs::platform::posix {
namespace {

// An item list: this tag, then the path with its NUL.
constexpr char kTag[4] = {'Z', 'S', 'I', 'L'};

// A new item list holding `path`; null when memory runs out.
ITEMIDLIST* makeList(const std::string& path) {
  auto* block = static_cast<char*>(std::malloc(sizeof kTag + path.size() + 1));
  if (!block) return nullptr;
  std::memcpy(block, kTag, sizeof kTag);
  std::memcpy(block + sizeof kTag, path.c_str(), path.size() + 1);
  return reinterpret_cast<ITEMIDLIST*>(block);
}

// The path an item list of this backend holds; null for anything else.
const char* pathOf(const ITEMIDLIST* list) {
  const auto* block = reinterpret_cast<const char*>(list);
  if (!block || std::memcmp(block, kTag, sizeof kTag) != 0) return nullptr;
  return block + sizeof kTag;
}

// Copies `text` with its NUL into a buffer of kMaxPath bytes, cut before a
// UTF-8 sequence that would not fit whole.
void copyBounded(const std::string& text, char* out) {
  std::size_t length = std::min<std::size_t>(text.size(), kMaxPath - 1);
  if (length < text.size()) {
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

}  // namespace

HRESULT Shell32Posix::SHGetSpecialFolderLocation(HWND, int csidl, ITEMIDLIST** list) {
  if (!list) return kEInvalidArg;
  *list = nullptr;
  const std::string path = userFolder(csidl, env_);
  if (path.empty()) return kEFail;
  *list = makeList(path);
  return *list ? kSOk : kEFail;
}

HRESULT Shell32Posix::SHGetFolderLocation(HWND owner, int csidl, std::uintptr_t, DWORD reserved,
                                          ITEMIDLIST** list) {
  if (list) *list = nullptr;
  if (reserved != 0) return kEInvalidArg;
  return SHGetSpecialFolderLocation(owner, csidl, list);
}

ITEMIDLIST* Shell32Posix::SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) return nullptr;
  const char* root = pathOf(info->pidlRoot);
  const std::string start = root ? root : homeFolder(env_);
  const auto picked = picker_(start, info->lpszTitle ? info->lpszTitle : "");
  if (!picked || picked->empty() || picked->front() != '/') return nullptr;
  if (info->pszDisplayName) {
    std::string name = *picked;
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    const std::size_t slash = name.rfind('/');
    if (name.size() > 1) name.erase(0, slash + 1);
    copyBounded(name, info->pszDisplayName);
  }
  return makeList(*picked);
}

HINSTANCE Shell32Posix::ShellExecuteA(HWND, const char* verb, const char* file, const char*,
                                      const char*, int) {
  if (verb && *verb && ::strcasecmp(verb, "open") != 0) return kSeErrNoAssociation;
  const auto command = openCommand(file ? file : "");
  if (!command) return kSeErrFileNotFound;
  const Started started = startDetached(*command);
  if (started.error == ENOENT) return kSeErrNoAssociation;  // no desktop tool installed
  return started.error == 0 ? kSeStarted : 0;
}

BOOL Shell32Posix::SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  if (!path) return 0;
  const char* text = pathOf(list);
  if (!text) {
    path[0] = '\0';
    return 0;
  }
  const std::size_t length = std::strlen(text);
  if (length + 1 > kMaxPath) {
    path[0] = '\0';
    return 0;
  }
  std::memcpy(path, text, length + 1);
  return 1;
}

UINT Shell32Posix::ExtractIconExA(const char* file, int index, HICON* large, HICON* small,
                                  UINT count) {
  if (!file) return 0;
  if (index == -1 && !large && !small) return static_cast<UINT>(countFileIcons(file));
  UINT extracted = 0;
  // Consecutive icons from `index`; a resource id names one icon.
  for (UINT i = 0; i < count && (large || small); ++i) {
    const long long at = index < 0 ? index : static_cast<long long>(index) + i;
    if (index < 0 && i > 0) break;
    if (at > INT32_MAX) break;
    bool any = false;
    if (large) {
      const auto image = loadFileIcon(file, static_cast<int>(at), 32);
      large[i] = image ? addIcon(*image) : 0;
      any |= large[i] != 0;
    }
    if (small) {
      const auto image = loadFileIcon(file, static_cast<int>(at), 16);
      small[i] = image ? addIcon(*image) : 0;
      any |= small[i] != 0;
    }
    if (!any) break;
    ++extracted;
  }
  return extracted;
}

void Ole32Posix::CoTaskMemFree(void* memory) { std::free(memory); }

}  // namespace zs::platform::posix
