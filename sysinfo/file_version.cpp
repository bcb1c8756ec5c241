#include "sysinfo/file_version.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/error.h"
#include "platform/ansi.h"

namespace zs {
namespace {

constexpr std::size_t kFixedSize = 52;

std::uint32_t le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

Integer toInteger(std::uint16_t half) {
  if (half > 32767) raise(err::kOverflow);
  return static_cast<Integer>(half);
}

std::uint16_t high(std::uint32_t v) { return static_cast<std::uint16_t>(v >> 16); }
std::uint16_t low(std::uint32_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }

}  // namespace

FileVersion::FileVersion(const platform::Libraries& libraries) : api_(libraries.version) {}

std::vector<unsigned char> FileVersion::read(Fixed* fixed) {
  const std::string name = platform::toAnsi(fileName_);
  platform::DWORD handle = 0;
  const platform::DWORD size = api_->GetFileVersionInfoSizeA(name.c_str(), &handle);
  if (size == 0) raise(err::kSubscript);
  std::vector<unsigned char> resource(size, 0);
  api_->GetFileVersionInfoA(name.c_str(), 0, size, resource.data());
  // The fixed record is copied only when the query found all of it.
  void* found = nullptr;
  platform::UINT length = 0;
  if (fixed && api_->VerQueryValueA(resource.data(), "\\", &found, &length) && found &&
      length >= kFixedSize) {
    const auto* record = static_cast<const unsigned char*>(found);
    fixed->versionMS = le32(record + 8);
    fixed->versionLS = le32(record + 12);
    fixed->fileType = le32(record + 36);
  }
  return resource;
}

FileVersion::Fixed FileVersion::fixed() {
  Fixed f;
  read(&f);
  return f;
}

String FileVersion::entry(const char* name, bool absentIsEmpty) {
  const auto resource = read();
  void* found = nullptr;
  platform::UINT length = 0;
  unsigned char translation[4] = {0, 0, 0, 0};
  if (api_->VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", &found,
                           &length) &&
      found && length >= sizeof translation) {
    std::memcpy(translation, found, sizeof translation);
  }
  // Language and code page, each a little-endian 16-bit number: 040904B0.
  char key[9];
  std::snprintf(key, sizeof key, "%02X%02X%02X%02X", translation[1], translation[0],
                translation[3], translation[2]);
  const std::string path = std::string("\\StringFileInfo\\") + key + "\\" + name;
  found = nullptr;
  length = 0;
  const bool ok = api_->VerQueryValueA(resource.data(), path.c_str(), &found, &length);
  if (!ok || !found || length == 0) {
    if (absentIsEmpty) return {};
    raise(err::kInvalidCall);
  }
  // The text up to its NUL, never past the length the query reported.
  const auto* text = static_cast<const char*>(found);
  const void* nul = std::memchr(text, '\0', length);
  const std::size_t bytes = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
  return platform::fromAnsi(std::string_view(text, bytes));
}

String FileVersion::ProductVersionString() { return entry("ProductVersion", false); }
String FileVersion::ProductName() { return entry("ProductName", false); }
String FileVersion::PrivateBuild() { return entry("PrivateBuild", true); }
String FileVersion::OriginalFilename() { return entry("OriginalFilename", false); }
String FileVersion::SpecialBuild() { return entry("SpecialBuild", true); }
String FileVersion::CompanyName() { return entry("CompanyName", false); }
String FileVersion::Comments() { return entry("Comments", true); }
String FileVersion::InternalName() { return entry("InternalName", false); }
String FileVersion::FileDescription() { return entry("FileDescription", false); }
String FileVersion::LegalCopyright() { return entry("LegalCopyright", false); }

String FileVersion::FileVersionString() {
  const Fixed f = fixed();
  const std::string text = std::to_string(high(f.versionMS)) + "." + std::to_string(low(f.versionMS)) +
                           "." + std::to_string(high(f.versionLS)) + "." +
                           std::to_string(low(f.versionLS));
  return u16(text);
}

Integer FileVersion::FileVerMinorLO() { return toInteger(low(fixed().versionLS)); }
Integer FileVersion::FileVerMinorHI() { return toInteger(high(fixed().versionLS)); }
Integer FileVersion::FileVerMajorLO() { return toInteger(low(fixed().versionMS)); }
Integer FileVersion::FileVerMajorHI() { return toInteger(high(fixed().versionMS)); }

String FileVersion::FileType() {
  switch (fixed().fileType) {
    case 1: return u"Application";
    case 2: return u"Dynamic Link Library (DLL)";
    case 3: return u"Device Driver";
    case 4: return u"Font";
    case 5: return u"Virtual Device Driver";
    default: return u"Unknown";
  }
}

}  // namespace zs
