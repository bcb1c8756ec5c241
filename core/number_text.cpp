// Number to text, and the hexadecimal and octal text of a number.
//
// Double is written with at most 15 significant digits and Single with 7,
// without trailing zeros, in plain form for magnitudes from 1E-4 up to (not
// including) 1E15 (1E7 for Single) after rounding, and in exponent form
// otherwise ("1.12589990684262E+15", "1E-05", "1E+100"). Currency keeps up to
// four decimals. The decimal point is the locale's separator.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

void append(String& out, std::string_view ascii) { out.append(ascii.begin(), ascii.end()); }

// The value rounded to `precision` significant digits in the form described above.
template <class Float>
String formatFloating(Float value, int precision) {
  if (!std::isfinite(value)) raise(err::kOverflow);
  if (value == 0) return u"0";  // also for negative zero

  // Scientific form with exactly `precision` digits: "-d.ddde+XX".
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                 precision - 1);
  if (ec != std::errc()) raise(err::kOverflow);
  std::string_view sci(buf, static_cast<std::size_t>(end - buf));

  bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (c != '.') digits.push_back(c);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());

  String out;
  if (negative) out.push_back(u'-');
  const char16_t sep = decimalSeparator();
  if (exponent < -4 || exponent >= precision) {
    out.push_back(static_cast<char16_t>(digits[0]));
    if (digits.size() > 1) {
      out.push_back(sep);
      append(out, std::string_view(digits).substr(1));
    }
    out.push_back(u'E');
    out.push_back(exponent < 0 ? u'-' : u'+');
    std::string exp = std::to_string(std::abs(exponent));
    if (exp.size() < 2) exp.insert(0, 1, '0');
    append(out, exp);
  } else if (exponent >= 0) {
    auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      append(out, digits);
      out.append(whole - digits.size(), u'0');
    } else {
      append(out, std::string_view(digits).substr(0, whole));
      out.push_back(sep);
      append(out, std::string_view(digits).substr(whole));
    }
  } else {
    out.push_back(u'0');
    out.push_back(sep);
    out.append(static_cast<std::size_t>(-exponent - 1), u'0');
    append(out, digits);
  }
  return out;
}

// Digits of `value` in base 16 or 8, upper case, without leading zeros.
Variant radixText(std::uint32_t value, unsigned base) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  char16_t buf[16];
  std::size_t n = 0;
  do {
    buf[n++] = kDigits[value % base];
    value /= base;
  } while (value != 0);
  String out(n, u'0');
  for (std::size_t k = 0; k < n; ++k) out[k] = buf[n - 1 - k];
  return Variant(std::move(out));
}

// Rule 6: the value in its width's two's complement, then in `base`.
Variant radixTextOf(const Variant& v, unsigned base) {
  switch (v.kind()) {
    case Kind::Null: return Variant::null();
    case Kind::Empty: return Variant(String(u"0"));
    case Kind::Integer: return radixText(static_cast<std::uint16_t>(v.integer()), base);
    case Kind::Boolean: return radixText(v.boolean() ? 0xFFFFu : 0u, base);
    case Kind::Long: return radixText(static_cast<std::uint32_t>(v.lng()), base);
    default: return radixText(static_cast<std::uint32_t>(toLong(v)), base);
  }
}

}  // namespace

String formatDouble(Double d) { return formatFloating(d, 15); }

String formatSingle(Single s) { return formatFloating(s, 7); }

String formatCurrency(Currency c) {
  // Unsigned arithmetic so that the most negative amount has a magnitude too.
  std::uint64_t magnitude = c.scaled < 0 ? 0 - static_cast<std::uint64_t>(c.scaled)
                                         : static_cast<std::uint64_t>(c.scaled);
  std::uint64_t units = magnitude / Currency::kScale;
  std::uint64_t fraction = magnitude % Currency::kScale;

  String out;
  if (c.scaled < 0) out.push_back(u'-');
  append(out, std::to_string(units));
  if (fraction != 0) {
    std::string decimals = std::to_string(fraction + Currency::kScale).substr(1);  // 4 digits
    while (decimals.back() == '0') decimals.pop_back();
    out.push_back(decimalSeparator());
    append(out, decimals);
  }
  return out;
}

String toText(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return String();
    case Kind::Null: raise(err::kInvalidNull);
    case Kind::Integer: return u16(std::to_string(v.integer()));
    case Kind::Long: return u16(std::to_string(v.lng()));
    case Kind::Single: return formatSingle(v.single());
    case Kind::Double: return formatDouble(v.dbl());
    case Kind::Currency: return formatCurrency(v.currency());
    case Kind::String: return v.string();
    case Kind::Boolean: return v.boolean() ? u"True" : u"False";
    case Kind::Object:
    case Kind::Error: break;
  }
  raise(err::kTypeMismatch);
}

Variant hexText(const Variant& v) { return radixTextOf(v, 16); }

Variant octText(const Variant& v) { return radixTextOf(v, 8); }

}  // namespace zs
