#include "platform/posix/utf8_fold.h"

#include <cstdint>

#include "core/case_fold.h"

namespace zs::platform::posix {

namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::uint32_t byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool continuation(std::string_view s, std::size_t i) {
  return i < s.size() && (byteAt(s, i) & 0xC0) == 0x80;
}

// The code unit of the well-formed one- to three-byte sequence at `i` and its
// length; length 0 when there is none there.
std::uint32_t unitAt(std::string_view s, std::size_t i, std::size_t* length) {
  const std::uint32_t b0 = byteAt(s, i);
  *length = 0;
  if (b0 < 0x80) {
    *length = 1;
    return b0;
  }
  if ((b0 & 0xE0) == 0xC0 && continuation(s, i + 1)) {
    const std::uint32_t cp = ((b0 & 0x1F) << 6) | (byteAt(s, i + 1) & 0x3F);
    if (cp >= 0x80) *length = 2;
    return cp;
  }
  if ((b0 & 0xF0) == 0xE0 && continuation(s, i + 1) && continuation(s, i + 2)) {
    const std::uint32_t cp =
        ((b0 & 0x0F) << 12) | ((byteAt(s, i + 1) & 0x3F) << 6) | (byteAt(s, i + 2) & 0x3F);
    if (cp >= 0x800) *length = 3;
    return cp;
  }
  return 0;
}

}  // namespace

std::string foldName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  std::size_t i = 0;
  while (i < name.size()) {
    std::size_t length = 0;
    const std::uint32_t unit = unitAt(name, i, &length);
    if (length == 0) {
      out.push_back(name[i]);  // a four-byte sequence passes byte by byte
      ++i;
      continue;
    }
    appendUtf8(out, upperCaseUnit(static_cast<char16_t>(unit)));
    i += length;
  }
  return out;
}

}  // namespace zs::platform::posix
