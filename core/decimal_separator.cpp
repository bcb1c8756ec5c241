// The decimal separator of the user's locale, read once at first use.
#include <atomic>

#include "core/error.h"
#include "core/variant_ops.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace zs {
namespace {

// 0 until the separator has been read or set.
std::atomic<char16_t> g_separator{0};

// A separator must not be confused with the other parts of a number: digits,
// signs, blanks, exponent letters or the & of the radix prefixes.
bool usable(char16_t c) {
  if (c <= 0x20 || c == 0x7F || (c >= u'0' && c <= u'9')) return false;
  switch (c) {
    case u'+': case u'-': case u'&': case u'E': case u'e': case u'D': case u'd':
      return false;
    default:
      return true;
  }
}

char16_t separatorFromPlatform() {
#ifdef _WIN32
  char buf[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) > 0) {
    auto c = static_cast<unsigned char>(buf[0]);
    if (c < 0x80 && usable(c)) return static_cast<char16_t>(c);
  }
  return u'.';
#else
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return u'.';
  char16_t result = u'.';
  if (const char* radix = nl_langinfo_l(RADIXCHAR, loc)) {
    // Only a single ASCII character can serve; a multi-byte separator falls
    // back to the point.
    auto c = static_cast<unsigned char>(radix[0]);
    if (c < 0x80 && radix[1] == '\0' && usable(c)) result = static_cast<char16_t>(c);
  }
  freelocale(loc);
  return result;
#endif
}

}  // namespace

char16_t decimalSeparator() {
  char16_t sep = g_separator.load(std::memory_order_relaxed);
  if (sep == 0) {
    char16_t fresh = separatorFromPlatform();
    // Another thread may have read or set it meanwhile; its value wins.
    if (g_separator.compare_exchange_strong(sep, fresh, std::memory_order_relaxed)) sep = fresh;
  }
  return sep;
}

void setDecimalSeparator(char16_t separator) {
  if (!usable(separator)) raise(err::kInvalidCall);
  g_separator.store(separator, std::memory_order_relaxed);
}

}  // namespace zs
