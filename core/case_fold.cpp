#include "core/case_fold.h"

namespace zs {
namespace {

// In the paired blocks an upper-case letter is followed by its lower-case
// form; `upperIsEven` tells which of the two code units is the capital.
char16_t fromPair(char16_t c, bool upperIsEven) {
  const bool even = (c % 2) == 0;
  return even == upperIsEven ? c : static_cast<char16_t>(c - 1);
}

bool in(char16_t c, char16_t lo, char16_t hi) { return c >= lo && c <= hi; }

char16_t minus(char16_t c, int delta) { return static_cast<char16_t>(c - delta); }

}  // namespace

char16_t upperCaseUnit(char16_t c) {
  if (c < 0x80) return in(c, u'a', u'z') ? minus(c, 0x20) : c;
  if (c < 0x100) {
    if (c == 0xB5) return 0x39C;                    // micro sign -> Greek capital mu
    if (c == 0xFF) return 0x178;                    // y with diaeresis
    if (in(c, 0xE0, 0xFE) && c != 0xF7) return minus(c, 0x20);
    return c;
  }
  if (c < 0x180) {  // Latin Extended-A
    if (c == 0x131) return u'I';                    // dotless i
    if (c == 0x17F) return u'S';                    // long s
    if (in(c, 0x100, 0x137) && c != 0x130) return fromPair(c, true);
    if (in(c, 0x139, 0x148)) return fromPair(c, false);
    if (in(c, 0x14A, 0x177)) return fromPair(c, true);
    if (in(c, 0x179, 0x17E)) return fromPair(c, false);
    return c;
  }
  if (in(c, 0x370, 0x3FF)) {  // Greek
    if (c == 0x3AC) return 0x386;
    if (in(c, 0x3AD, 0x3AF)) return minus(c, 37);
    if (c == 0x3C2) return 0x3A3;                   // final sigma
    if (in(c, 0x3B1, 0x3CB)) return minus(c, 0x20);
    if (c == 0x3CC) return 0x38C;
    if (in(c, 0x3CD, 0x3CE)) return minus(c, 63);
    return c;
  }
  if (in(c, 0x400, 0x52F)) {  // Cyrillic and its supplement
    if (in(c, 0x430, 0x44F)) return minus(c, 0x20);
    if (in(c, 0x450, 0x45F)) return minus(c, 0x50);
    if (in(c, 0x460, 0x481) || in(c, 0x48A, 0x4BF) || in(c, 0x4D0, 0x52F))
      return fromPair(c, true);
    if (in(c, 0x4C1, 0x4CE)) return fromPair(c, false);
    if (c == 0x4CF) return 0x4C0;
    return c;
  }
  if (in(c, 0x561, 0x586)) return minus(c, 0x30);  // Armenian
  if (in(c, 0x1E00, 0x1E95) || in(c, 0x1EA0, 0x1EFF)) return fromPair(c, true);
  if (in(c, 0xFF41, 0xFF5A)) return minus(c, 0x20);  // fullwidth Latin
  return c;
}

String foldKey(StringView key) {
  String out(key);
  for (auto& c : out) c = upperCaseUnit(c);
  return out;
}

bool sameFoldedKey(StringView a, StringView b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperCaseUnit(a[i]) != upperCaseUnit(b[i])) return false;
  return true;
}

}  // namespace zs
