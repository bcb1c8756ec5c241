#include "platform/posix/name_fold.h"

#include <cstdint>

namespace zs::platform::posix {

namespace {

std::uint32_t foldCodePoint(std::uint32_t cp) {
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;           // Latin-1
  if (cp >= 0x100 && cp <= 0x137 && cp != 0x130) return cp | 1;            // Latin Ext-A pairs
  if (cp >= 0x139 && cp <= 0x148) return (cp & 1) != 0 ? cp + 1 : cp;      // odd capitals
  if (cp >= 0x14A && cp <= 0x177) return cp | 1;
  if (cp == 0x178) return 0xFF;
  if (cp >= 0x179 && cp <= 0x17E) return (cp & 1) != 0 ? cp + 1 : cp;
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;         // Greek
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;                        // Cyrillic
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
  return cp;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool continuation(std::string_view s, std::size_t i) {
  return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
}

}  // namespace

std::string foldName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  std::size_t i = 0;
  while (i < name.size()) {
    const auto b0 = static_cast<unsigned char>(name[i]);
    if (b0 < 0x80) {
      out.push_back(b0 >= 'A' && b0 <= 'Z' ? static_cast<char>(b0 + 0x20) : static_cast<char>(b0));
      ++i;
      continue;
    }
    // Only two- and three-byte sequences hold letters that fold here; every
    // other byte is copied as it stands.
    if ((b0 & 0xE0) == 0xC0 && continuation(name, i + 1)) {
      const std::uint32_t cp =
          ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu);
      if (cp >= 0x80) {
        appendUtf8(out, foldCodePoint(cp));
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<char>(b0));
    ++i;
  }
  return out;
}

}  // namespace zs::platform::posix
