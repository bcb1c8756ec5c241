#include "platform/testing/fake_version.h"

#include <algorithm>
#include <cstring>

namespace zs::platform::testing {
namespace {

// The buffer names its file by its position in the map.
constexpr DWORD kBlockSize = 16;
constexpr char kTag[4] = {'F', 'V', 'E', 'R'};

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> FakeVersion::fixedRecord(std::uint32_t versionMS, std::uint32_t versionLS,
                                                   std::uint32_t fileType) {
  std::vector<std::uint8_t> record(52, 0);
  put32(record, 0, 0xFEEF04BD);
  put32(record, 4, 0x00010000);
  put32(record, 8, versionMS);
  put32(record, 12, versionLS);
  put32(record, 16, versionMS);
  put32(record, 20, versionLS);
  put32(record, 32, 0x00040004);
  put32(record, 36, fileType);
  return record;
}

DWORD FakeVersion::GetFileVersionInfoSizeA(const char* filename, DWORD* handle) {
  if (handle) *handle = 0;
  return filename && files_.count(filename) ? kBlockSize : 0;
}

BOOL FakeVersion::GetFileVersionInfoA(const char* filename, DWORD, DWORD length, void* data) {
  if (!filename || !data || length < kBlockSize) return 0;
  const auto it = files_.find(filename);
  if (it == files_.end()) return 0;
  const auto index = static_cast<std::uint32_t>(std::distance(files_.begin(), it));
  std::memcpy(data, kTag, sizeof kTag);
  std::memcpy(static_cast<char*>(data) + 4, &index, sizeof index);
  return 1;
}

BOOL FakeVersion::VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                                 UINT* length) {
  queries_.push_back(subBlock ? subBlock : "");
  *buffer = nullptr;
  *length = 0;
  if (!block || std::memcmp(block, kTag, sizeof kTag) != 0 || !subBlock) return 0;
  std::uint32_t index = 0;
  std::memcpy(&index, static_cast<const char*>(block) + 4, sizeof index);
  if (index >= files_.size()) return 0;
  File& file = std::next(files_.begin(), index)->second;
  if (file.nullPointers) return 1;
  const std::string path = upper(subBlock);
  if (path == "\\" && file.fixed) {
    *buffer = file.fixed->data();
    *length = static_cast<UINT>(file.fixed->size());
    return 1;
  }
  if (path == "\\VARFILEINFO\\TRANSLATION" && file.translation) {
    *buffer = file.translation->data();
    *length = static_cast<UINT>(file.translation->size());
    return 1;
  }
  for (auto& [key, value] : file.strings) {
    if (upper(key) != path) continue;
    *buffer = value.data();
    *length = file.stringLength ? *file.stringLength
                                : value.empty() ? 0 : static_cast<UINT>(value.size() + 1);
    return 1;
  }
  return 0;
}

DWORD FakeVersion::VerLanguageNameA(DWORD language, char* name, DWORD size) {
  languageQueries_.push_back(language);
  const auto found = languages_.find(language);
  if (found == languages_.end() || !name || size == 0) return 0;
  const std::size_t length = std::min<std::size_t>(found->second.size(), size - 1);
  std::memcpy(name, found->second.data(), length);
  name[length] = '\0';
  return languageCount_.value_or(static_cast<DWORD>(length));
}

}  // namespace zs::platform::testing
