#include "sysinfo/special_folders.h"

#include <cstring>
#include <string>

#include "core/error.h"
#include "platform/ansi.h"

namespace zs {
namespace {

constexpr platform::DWORD kBuffer = 255;
constexpr std::size_t kShellBuffer = 512;
constexpr int kMaxAttempts = 4;

// Calls `fill(buffer, size)` (a kernel32 call that answers the size it needs,
// NUL included, when the buffer is too small) until the answer fits; the
// buffer then holds the text and its NUL. Returns the last answer.
template <class Fill>
platform::DWORD fillBuffer(std::string& buffer, char initial, Fill fill) {
  buffer.assign(kBuffer, initial);
  platform::DWORD answer = 0;
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    answer = fill(buffer.data(), static_cast<platform::DWORD>(buffer.size()));
    if (answer < buffer.size()) break;
    buffer.assign(answer + 1, initial);
  }
  return answer;
}

// The bytes before the first NUL, or nullptr-like npos when there is none.
std::size_t nulAt(const std::string& buffer) { return buffer.find('\0'); }

}  // namespace

Folders::Folders(const platform::Libraries& libraries)
    : libraries_(libraries), currentVersion_(libraries) {}

Variant Folders::SetCurrentDir(String& DirPath) {
  const std::string path = platform::toAnsi(DirPath);
  libraries_.kernel32->SetCurrentDirectoryA(path.c_str());
  DirPath = platform::fromAnsi(path);
  return Variant();
}

String Folders::GetCurrentDir() {
  std::string buffer;
  fillBuffer(buffer, '\0', [&](char* b, platform::DWORD size) {
    return libraries_.kernel32->GetCurrentDirectoryA(size, b);
  });
  return platform::fromAnsi(std::string_view(buffer.data(), nulAt(buffer)));
}

String Folders::shellFolder(Long folder) {
  platform::ITEMIDLIST* list = nullptr;
  const platform::HRESULT found =
      libraries_.shell32->SHGetSpecialFolderLocation(0, folder, &list);
  // The list is the caller's to free, on every path.
  const auto freeList = [this](platform::ITEMIDLIST* l) { libraries_.ole32->CoTaskMemFree(l); };
  std::unique_ptr<platform::ITEMIDLIST, decltype(freeList)> owned(list, freeList);
  if (found < 0 || !owned) return {};
  std::string buffer(kShellBuffer, ' ');
  if (!libraries_.shell32->SHGetPathFromIDListA(owned.get(), buffer.data())) return {};
  const std::size_t end = nulAt(buffer);
  if (end == std::string::npos) raise(err::kInvalidCall);
  return platform::fromAnsi(std::string_view(buffer.data(), end));
}

String Folders::SpecialFolders(Long Folder) {
  auto& kernel = *libraries_.kernel32;
  std::string buffer;
  if (Folder == zvaWindows || Folder == zvaSystem) {
    const platform::DWORD n = fillBuffer(buffer, ' ', [&](char* b, platform::DWORD size) {
      return Folder == zvaWindows ? kernel.GetWindowsDirectoryA(b, size)
                                  : kernel.GetSystemDirectoryA(b, size);
    });
    return platform::fromAnsi(std::string_view(buffer.data(), std::min<std::size_t>(n, buffer.size())));
  }
  if (Folder == zvaTemp) {
    fillBuffer(buffer, ' ', [&](char* b, platform::DWORD size) { return kernel.GetTempPathA(size, b); });
    // The path without its trailing separator; no text at all is error 5.
    const std::size_t end = nulAt(buffer);
    if (end == std::string::npos || end == 0) raise(err::kInvalidCall);
    String path = platform::fromAnsi(std::string_view(buffer.data(), end));
    path.pop_back();  // the trailing separator
    return path;
  }
  String path = shellFolder(Folder);
  if (Folder == zvaProgramFiles) {
    path = currentVersion_.read(u"ProgramFilesDir");
  }
  return path;
}

}  // namespace zs
