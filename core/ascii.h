// ASCII letter case and hexadecimal digits: the one place names of members,
// classes, options and literals are compared and digits are read.
#pragma once

#include <cstddef>
#include <string_view>

namespace zs {

// The lower-case form of an ASCII letter; every other character unchanged.
constexpr char foldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char16_t foldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Equal but for the letter case of ASCII letters.
template <class Char>
constexpr bool sameNameOf(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}
constexpr bool sameName(std::string_view a, std::string_view b) { return sameNameOf(a, b); }
constexpr bool sameName(std::u16string_view a, std::u16string_view b) { return sameNameOf(a, b); }

// The value of a digit in `base` (2 to 16; letters in either case), or -1.
template <class Char>
constexpr int digitValue(Char c, int base = 16) {
  int v = -1;
  if (c >= Char('0') && c <= Char('9')) v = static_cast<int>(c - Char('0'));
  else if (c >= Char('a') && c <= Char('f')) v = static_cast<int>(c - Char('a')) + 10;
  else if (c >= Char('A') && c <= Char('F')) v = static_cast<int>(c - Char('A')) + 10;
  return v < base ? v : -1;
}

}  // namespace zs
