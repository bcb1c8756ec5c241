// Conversions of any Variant to one number kind or to Boolean. Whole-number
// targets round half to even and raise 6 outside their range; Strings are
// read as numbers (see number_parse.cpp); Null raises 94, Objects and Errors 13.
#include "core/error.h"
#include "core/number_rounding.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

// The value of v as a whole number in [lo, hi], rounded half to even.
std::int64_t toWhole(const Variant& v, std::int64_t lo, std::int64_t hi) {
  std::int64_t result = 0;
  switch (v.kind()) {
    case Kind::Empty: return 0;
    case Kind::Null: raise(err::kInvalidNull);
    case Kind::Boolean: return v.boolean() ? kTrue : kFalse;
    case Kind::Integer: result = v.integer(); break;
    case Kind::Long: result = v.lng(); break;
    case Kind::String: result = parseLong(v.string()); break;
    case Kind::Currency:
      // Currency values are whole numbers of ten-thousandths; this cannot fail.
      result = detail::mulDivHalfEven(v.currency().scaled, 1, Currency::kScale).value_or(0);
      break;
    case Kind::Single:
    case Kind::Double: {
      auto r = detail::roundToInt64(v.kind() == Kind::Single ? v.single() : v.dbl(), lo, hi);
      if (!r) raise(err::kOverflow);
      return *r;
    }
    case Kind::Object:
    case Kind::Error: raise(err::kTypeMismatch);
  }
  if (result < lo || result > hi) raise(err::kOverflow);
  return result;
}

bool equalsIgnoringCase(StringView text, std::u16string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    char16_t c = text[k];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    char16_t w = word[k];
    if (w >= u'A' && w <= u'Z') w = static_cast<char16_t>(w - u'A' + u'a');
    if (c != w) return false;
  }
  return true;
}

}  // namespace

Integer toInteger(const Variant& v) {
  return static_cast<Integer>(toWhole(v, detail::kIntegerMin, detail::kIntegerMax));
}

Long toLong(const Variant& v) {
  return static_cast<Long>(toWhole(v, detail::kLongMin, detail::kLongMax));
}

Double toDouble(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Null: raise(err::kInvalidNull);
    case Kind::Boolean: return v.boolean() ? -1.0 : 0.0;
    case Kind::Integer: return v.integer();
    case Kind::Long: return v.lng();
    case Kind::Single: return v.single();
    case Kind::Double: return v.dbl();
    case Kind::Currency: return detail::currencyToDouble(v.currency());
    case Kind::String: return parseDouble(v.string());
    case Kind::Object:
    case Kind::Error: break;
  }
  raise(err::kTypeMismatch);
}

Single toSingle(const Variant& v) {
  if (v.kind() == Kind::Single) return v.single();
  auto s = detail::singleFromDouble(toDouble(v));
  if (!s) raise(err::kOverflow);
  return *s;
}

Currency toCurrency(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return Currency{};
    case Kind::Null: raise(err::kInvalidNull);
    case Kind::Boolean: return Currency::fromUnits(v.boolean() ? kTrue : kFalse);
    case Kind::Integer: return Currency::fromUnits(v.integer());
    case Kind::Long: return Currency::fromUnits(v.lng());
    case Kind::Currency: return v.currency();
    case Kind::String: return parseCurrency(v.string());
    case Kind::Single:
    case Kind::Double: {
      auto c = detail::currencyFromDouble(v.kind() == Kind::Single ? v.single() : v.dbl());
      if (!c) raise(err::kOverflow);
      return *c;
    }
    case Kind::Object:
    case Kind::Error: break;
  }
  raise(err::kTypeMismatch);
}

Boolean toBoolean(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return false;
    case Kind::Null: raise(err::kInvalidNull);
    case Kind::Boolean: return v.boolean();
    case Kind::Integer: return v.integer() != 0;
    case Kind::Long: return v.lng() != 0;
    case Kind::Single: return v.single() != 0;
    case Kind::Double: return v.dbl() != 0;
    case Kind::Currency: return v.currency().scaled != 0;
    case Kind::String:
      if (equalsIgnoringCase(v.string(), u"true")) return true;
      if (equalsIgnoringCase(v.string(), u"false")) return false;
      return parseDouble(v.string()) != 0;
    case Kind::Object:
    case Kind::Error: break;
  }
  raise(err::kTypeMismatch);
}

}  // namespace zs
