// Variant arithmetic, concatenation and equality.
#include "core/variant_ops.h"

#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "core/number_rounding.h"

namespace zs {
namespace {

enum class Op { Add, Subtract, Multiply };

template <class T>
T apply(Op op, T a, T b) {
  switch (op) {
    case Op::Add: return a + b;
    case Op::Subtract: return a - b;
    case Op::Multiply: return a * b;
  }
  return a;
}

// Objects and Errors (the missing value included) take part in no arithmetic.
void requireValues(const Variant& a, const Variant& b) {
  for (const Variant* v : {&a, &b})
    if (v->kind() == Kind::Object || v->kind() == Kind::Error) raise(err::kTypeMismatch);
}

// An operand as a number: Empty is the Integer 0, Boolean an Integer, a String
// its Double value.
Variant numeric(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return Variant(Integer{0});
    case Kind::Boolean: return Variant(v.boolean() ? kTrue : kFalse);
    case Kind::String: return Variant(parseDouble(v.string()));
    default: return v;
  }
}

// The width order of the number kinds: Integer, Long, Single, Double, Currency.
int rank(Kind k) {
  switch (k) {
    case Kind::Integer: return 0;
    case Kind::Long: return 1;
    case Kind::Single: return 2;
    case Kind::Double: return 3;
    default: return 4;  // Currency
  }
}

std::int64_t whole(const Variant& v) {
  return v.kind() == Kind::Integer ? v.integer() : v.lng();
}

Variant currencyArithmetic(Op op, Currency a, Currency b) {
  std::int64_t r = 0;
  switch (op) {
    case Op::Add:
      if (__builtin_add_overflow(a.scaled, b.scaled, &r)) raise(err::kOverflow);
      return Variant(Currency::fromScaled(r));
    case Op::Subtract:
      if (__builtin_sub_overflow(a.scaled, b.scaled, &r)) raise(err::kOverflow);
      return Variant(Currency::fromScaled(r));
    case Op::Multiply: {
      // The product carries eight decimals; round it back to four.
      auto scaled = detail::mulDivHalfEven(a.scaled, b.scaled, Currency::kScale);
      if (!scaled) raise(err::kOverflow);
      return Variant(Currency::fromScaled(*scaled));
    }
  }
  raise(err::kOverflow);
}

// Two numbers in the kind of the wider one, promoting Integer results to Long
// and Long results to Double when they leave their range.
Variant arithmetic(Op op, const Variant& x, const Variant& y) {
  switch (std::max(rank(x.kind()), rank(y.kind()))) {
    case 0: {
      std::int32_t r = apply<std::int32_t>(op, x.integer(), y.integer());
      if (r >= detail::kIntegerMin && r <= detail::kIntegerMax) return Variant(static_cast<Integer>(r));
      return Variant(static_cast<Long>(r));
    }
    case 1: {
      std::int64_t r = apply<std::int64_t>(op, whole(x), whole(y));
      if (r >= detail::kLongMin && r <= detail::kLongMax) return Variant(static_cast<Long>(r));
      return Variant(static_cast<Double>(r));
    }
    case 2: {
      Single a = toSingle(x), b = toSingle(y);
      Single r = apply(op, a, b);
      if (std::isfinite(r)) return Variant(r);
      // Beyond the Single range the result is carried on as a Double.
      return Variant(checked(apply<Double>(op, a, b)));
    }
    case 3:
      return Variant(checked(apply(op, toDouble(x), toDouble(y))));
    default:
      return currencyArithmetic(op, toCurrency(x), toCurrency(y));
  }
}

Variant combine(Op op, const Variant& a, const Variant& b) {
  requireValues(a, b);
  if (a.isNull() || b.isNull()) return Variant::null();
  return arithmetic(op, numeric(a), numeric(b));
}

// The text of an operand of a concatenation, read in place for a String:
// Empty and Null give "", any other kind its text, kept in `spare`.
StringView concatText(const Variant& v, String& spare) {
  if (v.kind() == Kind::String) return v.string();
  if (v.isEmpty() || v.isNull()) return {};
  spare = toText(v);
  return spare;
}

// A number kind as an exact long double, scaled by 10,000 when it is compared
// with a Currency (exact with a 64-bit mantissa: a Double times 10,000 needs 63
// bits).
long double comparable(const Variant& v, bool scaled) {
  long double factor = scaled ? Currency::kScale : 1;
  switch (v.kind()) {
    case Kind::Integer: return v.integer() * factor;
    case Kind::Long: return v.lng() * factor;
    case Kind::Single: return v.single() * factor;
    case Kind::Double: return v.dbl() * factor;
    default: return static_cast<long double>(v.currency().scaled);  // scaled is set
  }
}

}  // namespace

Variant add(const Variant& a, const Variant& b) {
  requireValues(a, b);
  if (a.isNull() || b.isNull()) return Variant::null();
  if (a.isEmpty() && b.isEmpty()) return Variant(Integer{0});
  // One Empty leaves the other operand as it is; a Boolean becomes its Integer.
  if (a.isEmpty()) return b.kind() == Kind::Boolean ? numeric(b) : b;
  if (b.isEmpty()) return a.kind() == Kind::Boolean ? numeric(a) : a;
  if (a.kind() == Kind::String && b.kind() == Kind::String) return Variant(a.string() + b.string());
  return arithmetic(Op::Add, numeric(a), numeric(b));
}

Variant subtract(const Variant& a, const Variant& b) { return combine(Op::Subtract, a, b); }

Variant multiply(const Variant& a, const Variant& b) { return combine(Op::Multiply, a, b); }

Variant concat(const Variant& a, const Variant& b) {
  String spareA, spareB;
  const StringView left = concatText(a, spareA);
  const StringView right = concatText(b, spareB);
  String joined;
  joined.reserve(left.size() + right.size());
  joined.append(left).append(right);
  return Variant(std::move(joined));
}

bool equals(const Variant& a, const Variant& b) {
  if (a.isNull() || b.isNull()) return false;
  if (a.kind() == Kind::Object || b.kind() == Kind::Object)
    return a.kind() == b.kind() && a.object() == b.object();
  if (a.kind() == Kind::Error || b.kind() == Kind::Error)
    return a.kind() == b.kind() && a.error() == b.error();
  if (a.kind() == Kind::String || b.kind() == Kind::String) {
    if (a.kind() == Kind::String && b.kind() == Kind::String) return a.string() == b.string();
    const Variant& other = a.kind() == Kind::String ? b : a;
    const String& text = a.kind() == Kind::String ? a.string() : b.string();
    return other.isEmpty() && text.empty();  // a number never equals a String
  }
  Variant x = numeric(a), y = numeric(b);
  bool scaled = x.kind() == Kind::Currency || y.kind() == Kind::Currency;
  return comparable(x, scaled) == comparable(y, scaled);
}

Double checked(Double result, bool divisionByZero) {
  if (std::isnan(result)) raise(err::kOverflow);
  if (divisionByZero) raise(err::kDivisionByZero);
  if (std::isinf(result)) raise(err::kOverflow);
  return result;
}

Double divide(Double a, Double b) {
  if (b == 0) raise(a == 0 || std::isnan(a) ? err::kOverflow : err::kDivisionByZero);
  return checked(a / b);
}

}  // namespace zs
