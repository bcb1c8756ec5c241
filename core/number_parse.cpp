// Text to number: Double, Long and Currency from a String.
//
// Accepted forms, with blanks (space, tab) before and after:
//   [+|-] digits [sep digits] [(E|e|D|d) [+|-] digits]   (at least one mantissa digit)
//   &H hex-digits | &O octal-digits                      (case-insensitive)
// where sep is the locale's decimal separator. A radix value that fits in 16
// bits is read as a 16-bit two's complement (&HFFFF is -1), one that fits in 32
// bits as a 32-bit two's complement (&HFFFFFFFF is -1); a larger one overflows.
//
// Decimal text is read exactly: the Double is the correctly rounded value of
// the text, Long and Currency round the exact decimal value half to even.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "core/ascii.h"
#include "core/error.h"
#include "core/number_rounding.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A decimal number: (-1)^negative * 0.d1d2...dn * 10^exponent with d1 != 0 and
// dn != 0; no digits at all means zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;
};

// The result of reading a text: a radix value or a decimal number.
struct Scanned {
  bool radix = false;
  Long radixValue = 0;
  Decimal decimal;
};

// Exponents beyond this are far outside every type's range; clamping keeps the
// arithmetic on the exponent safe whatever the length of the text.
constexpr std::int64_t kExponentClamp = 1'000'000'000'000;

Long scanRadix(StringView body, int base) {
  if (body.empty()) raise(err::kTypeMismatch);
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (char16_t c : body) {
    int d = digitValue(c, base);
    if (d < 0) raise(err::kTypeMismatch);
    if (!tooLarge) {
      value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
      tooLarge = value > 0xFFFFFFFFu;
    }
  }
  if (tooLarge) raise(err::kOverflow);
  if (value <= 0xFFFFu) return static_cast<Integer>(static_cast<std::uint16_t>(value));
  return static_cast<Long>(static_cast<std::uint32_t>(value));
}

Decimal scanDecimal(StringView s) {
  Decimal dec;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) dec.negative = s[i++] == u'-';

  const char16_t sep = decimalSeparator();
  bool anyDigit = false;
  bool inFraction = false;
  std::int64_t exponent = 0;
  for (; i < s.size(); ++i) {
    char16_t c = s[i];
    if (isDigit(c)) {
      anyDigit = true;
      if (dec.digits.empty() && c == u'0') {
        if (inFraction) --exponent;  // a leading zero after the separator
        continue;
      }
      dec.digits.push_back(static_cast<char>(c));
      if (!inFraction) ++exponent;
    } else if (c == sep && !inFraction) {
      inFraction = true;
    } else {
      break;
    }
  }
  if (!anyDigit) raise(err::kTypeMismatch);

  if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negativeExponent = s[i++] == u'-';
    if (i == s.size() || !isDigit(s[i])) raise(err::kTypeMismatch);
    std::int64_t written = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
      written = std::min(written * 10 + (s[i] - u'0'), kExponentClamp);
    exponent += negativeExponent ? -written : written;
  }
  if (i != s.size()) raise(err::kTypeMismatch);

  while (!dec.digits.empty() && dec.digits.back() == '0') dec.digits.pop_back();
  dec.exponent = dec.digits.empty() ? 0 : exponent;
  return dec;
}

Scanned scan(StringView text) {
  std::size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  StringView s = text.substr(first, last - first);
  if (s.empty()) raise(err::kTypeMismatch);

  Scanned result;
  if (s[0] == u'&' && s.size() >= 2) {
    char16_t p = s[1];
    int base = (p == u'H' || p == u'h') ? 16 : (p == u'O' || p == u'o') ? 8 : 0;
    if (base == 0) raise(err::kTypeMismatch);
    result.radix = true;
    result.radixValue = scanRadix(s.substr(2), base);
    return result;
  }
  result.decimal = scanDecimal(s);
  return result;
}

// The decimal times 10^scale, rounded half to even; nothing when the result
// does not fit in 64 bits.
std::optional<std::int64_t> scaledInteger(const Decimal& dec, int scale) {
  const std::string& d = dec.digits;
  if (d.empty()) return 0;
  std::int64_t whole = dec.exponent + scale;  // digits before the decimal point
  if (whole > 20) return std::nullopt;        // at least 10^20
  if (whole < 0) return 0;                    // below 0.1

  const auto count = static_cast<std::int64_t>(d.size());
  std::uint64_t magnitude = 0;
  for (std::int64_t k = 0; k < whole; ++k) {
    unsigned digit = k < count ? static_cast<unsigned>(d[k] - '0') : 0;
    if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
        __builtin_add_overflow(magnitude, digit, &magnitude))
      return std::nullopt;
  }
  if (whole < count) {
    char next = d[whole];
    bool moreAfter = whole + 1 < count;  // digits carry no trailing zeros
    if (next > '5' || (next == '5' && (moreAfter || magnitude % 2 != 0))) {
      if (__builtin_add_overflow(magnitude, 1u, &magnitude)) return std::nullopt;
    }
  }
  return detail::signedFromMagnitude(magnitude, dec.negative);
}

Double decimalToDouble(const Decimal& dec) {
  if (dec.digits.empty()) return 0.0;
  // 0.d1... * 10^exponent lies in [10^(exponent-1), 10^exponent).
  if (dec.exponent > 310) raise(err::kOverflow);
  if (dec.exponent < -330) return 0.0;  // underflow to zero is not an error

  std::string text = dec.digits;
  text += 'e';
  text += std::to_string(dec.exponent - static_cast<std::int64_t>(dec.digits.size()));
  Double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    if (dec.exponent > 0) raise(err::kOverflow);
    value = 0.0;
  } else if (ec != std::errc() || end != text.data() + text.size()) {
    raise(err::kTypeMismatch);
  }
  return dec.negative ? -value : value;
}

}  // namespace

Double parseDouble(StringView text) {
  Scanned s = scan(text);
  if (s.radix) return s.radixValue;
  return decimalToDouble(s.decimal);
}

Long parseLong(StringView text) {
  Scanned s = scan(text);
  if (s.radix) return s.radixValue;
  auto v = scaledInteger(s.decimal, 0);
  if (!v || *v < detail::kLongMin || *v > detail::kLongMax) raise(err::kOverflow);
  return static_cast<Long>(*v);
}

Currency parseCurrency(StringView text) {
  Scanned s = scan(text);
  if (s.radix) return Currency::fromUnits(s.radixValue);
  auto v = scaledInteger(s.decimal, 4);
  if (!v) raise(err::kOverflow);
  return Currency::fromScaled(*v);
}

}  // namespace zs
