#include "platform/posix/date_picture.h"

#include <algorithm>

namespace zs::platform::posix {
namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool isBlank(char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; }

std::u16string repeat(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

// The Windows field of `count` ICU letters `letter`; empty when it has none.
std::u16string field(char16_t letter, std::size_t count) {
  const std::size_t upToTwo = std::min<std::size_t>(count, 2);
  switch (letter) {
    case u'd': return repeat(u'd', upToTwo);
    case u'M': case u'L': return repeat(u'M', std::min<std::size_t>(count, 4));
    // ICU's y is the full year, yy the last two digits; Windows' y drops the
    // century, so only yy stays short.
    case u'y': case u'Y': case u'u': case u'r': return count == 2 ? u"yy" : u"yyyy";
    case u'E': return count >= 4 ? u"dddd" : u"ddd";
    case u'c': case u'e': return count >= 4 ? u"dddd" : count == 3 ? u"ddd" : u"";
    case u'G': return u"gg";
    case u'h': case u'K': return repeat(u'h', upToTwo);
    case u'H': case u'k': return repeat(u'H', upToTwo);
    case u'm': return repeat(u'm', upToTwo);
    case u's': return repeat(u's', upToTwo);
    case u'a': case u'b': case u'B': return u"tt";
    default: return {};
  }
}

}  // namespace

std::u16string windowsPicture(std::u16string_view pattern) {
  std::u16string out;
  bool skipBlanks = false;  // a field was dropped at the start: drop the blanks after it
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char16_t c = pattern[i];
    if (c == u'\'') {
      // A quoted literal ('' inside or outside quotes is one quote) is copied as written.
      std::size_t end = i + 1;
      while (end < pattern.size()) {
        if (pattern[end] == u'\'') {
          if (end + 1 < pattern.size() && pattern[end + 1] == u'\'') {
            end += 2;
            continue;
          }
          break;
        }
        ++end;
      }
      end = std::min(end + 1, pattern.size());
      out.append(pattern.substr(i, end - i));
      i = end;
      skipBlanks = false;
      continue;
    }
    if (isAsciiLetter(c)) {
      std::size_t end = i;
      while (end < pattern.size() && pattern[end] == c) ++end;
      const std::u16string mapped = field(c, end - i);
      if (mapped.empty()) {
        while (!out.empty() && isBlank(out.back())) out.pop_back();
        skipBlanks = out.empty();
      } else {
        out += mapped;
        skipBlanks = false;
      }
      i = end;
      continue;
    }
    if (!(skipBlanks && isBlank(c))) {
      out.push_back(c);
      skipBlanks = false;
    }
    ++i;
  }
  while (!out.empty() && isBlank(out.back())) out.pop_back();
  return out;
}

}  // namespace zs::platform::posix
