#include "cli/json_text.h"

#include <cstdint>

namespace zs::cli {
namespace {

void appendEscape(std::string& out, char16_t unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void appendJsonString(std::string& out, StringView text) {
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    switch (u) {
      case u'"': out += "\\\""; continue;
      case u'\\': out += "\\\\"; continue;
      case u'\b': out += "\\b"; continue;
      case u'\f': out += "\\f"; continue;
      case u'\n': out += "\\n"; continue;
      case u'\r': out += "\\r"; continue;
      case u'\t': out += "\\t"; continue;
      default: break;
    }
    if (u < 0x20) {
      appendEscape(out, u);
    } else if (isHigh(u) && i + 1 < text.size() && isLow(text[i + 1])) {
      out += u8(text.substr(i, 2));
      ++i;
    } else if (isHigh(u) || isLow(u)) {
      appendEscape(out, u);
    } else {
      out += u8(text.substr(i, 1));
    }
  }
  out += '"';
}

void appendJsonString(std::string& out, std::string_view utf8) {
  appendJsonString(out, StringView(u16(utf8)));
}

std::string jsonString(StringView text) {
  std::string out;
  appendJsonString(out, text);
  return out;
}

std::string jsonString(std::string_view utf8) {
  std::string out;
  appendJsonString(out, utf8);
  return out;
}

}  // namespace zs::cli
