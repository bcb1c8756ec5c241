// ZSMath: each member is its formula written out one checked operation at a
// time, in the order of evaluation.
#include "utils/math.h"

#include <cmath>

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

using namespace math_constants;

// Arithmetic with the floating-point check after the operation. A non-finite
// operand (only a C++ caller can pass NaN or an infinity) fails the same check
// as a non-finite result; so does a non-finite argument of a primitive.
Double plus(Double a, Double b) { return checked(checked(a) + checked(b)); }
Double minus(Double a, Double b) { return checked(checked(a) - checked(b)); }
Double times(Double a, Double b) { return checked(checked(a) * checked(b)); }
Double over(Double a, Double b) { return divide(checked(a), checked(b)); }

// The primitives.
Double Atn(Double x) { return checked(std::atan(checked(x))); }

Double Sqr(Double x) {
  if (checked(x) < 0) raise(err::kInvalidCall);
  return std::sqrt(x);
}

Double Log(Double x) {
  if (checked(x) <= 0) raise(err::kInvalidCall);
  return std::log(x);
}

// An underflow to 0 is not an error; a result beyond the Double range is.
Double Exp(Double x) { return checked(std::exp(checked(x))); }

Double Abs(Double x) { return std::fabs(checked(x)); }

Integer Sgn(Double x) { return checked(x) > 0 ? Integer{1} : x < 0 ? Integer{-1} : Integer{0}; }

Double Int(Double x) { return std::floor(checked(x)); }

// The argument of a Variant function as a Double.
Double argument(const Variant& v) { return toDouble(v); }

// Atn(x / Sqr(1 - x * x)): ASin and ACos away from |x| = 1.
Double arcSineTerm(Double x) { return Atn(over(x, Sqr(minus(1, times(x, x))))); }

// Atn((1 / x) / Sqr(1 - 1 / (x * x))): ACsc and ASec away from |x| = 1.
Double arcCosecantTerm(Double x) {
  Double reciprocal = over(1, x);
  return Atn(over(reciprocal, Sqr(minus(1, over(1, times(x, x))))));
}

// e = Exp(x) once per call, and its reciprocal 1 / e (not Exp(-x)).
struct Exponentials {
  Double e;
  Double r;
};
Exponentials exponentials(Double x) {
  Double e = Exp(x);
  return {e, over(1, e)};
}

// The sign factor of AbsCeil and AbsFloor.
Double signFactor(Double x, Boolean keepSign) { return keepSign ? Sgn(x) : 1; }

}  // namespace

// --- Increment and decrement --------------------------------------------

Variant Math::Inc(Variant& Value, const Variant& Amount) {
  Variant result = add(Value, Amount);
  Value = result;
  return result;
}

Variant Math::Dec(Variant& Value, const Variant& Amount) {
  Variant result = subtract(Value, Amount);
  Value = result;
  return result;
}

// --- Logarithms and rounding ----------------------------------------------

Double Math::Log10(const Variant& Value) { return over(Log(argument(Value)), kLn10); }

Double Math::LogX(const Variant& Value, const Variant& X) {
  Double value = argument(Value);
  Double base = argument(X);
  Double numerator = Log(value);
  return over(numerator, Log(base));
}

Double Math::Ceil(const Variant& Value) { return Int(plus(argument(Value), 1)); }

Double Math::Floor(const Variant& Value) { return Int(argument(Value)); }

Double Math::AbsCeil(const Variant& Value, Boolean KeepSign) {
  Double x = argument(Value);
  Double s = signFactor(x, KeepSign);
  return times(Int(plus(Abs(x), 1)), s);
}

Double Math::AbsFloor(const Variant& Value, Boolean KeepSign) {
  Double x = argument(Value);
  Double s = signFactor(x, KeepSign);
  return times(Int(Abs(x)), s);
}

// --- Inverse trigonometric functions ---------------------------------------

Double Math::ASin(const Double& Value) {
  if (std::fabs(Value) == 1) return Value > 0 ? kHalfPi : -kHalfPi;
  return arcSineTerm(Value);
}

Double Math::ACos(Double Value) {
  if (std::fabs(Value) == 1) return Value > 0 ? 0.0 : kPi;
  return minus(kHalfPi, arcSineTerm(Value));
}

Double Math::ACot(const Double& Value) { return Atn(over(1, Value)); }

Double Math::ASec(const Double& Value) {
  if (std::fabs(Value) == 1) return Value > 0 ? 0.0 : kPi;
  return minus(kHalfPi, arcCosecantTerm(Value));
}

Double Math::ACsc(const Double& Value) {
  if (std::fabs(Value) == 1) return Value > 0 ? kHalfPi : -kHalfPi;
  return arcCosecantTerm(Value);
}

// --- Hyperbolic functions ----------------------------------------------------

Double Math::SinH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  return over(minus(e, r), 2);
}

Double Math::CosH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  return over(plus(e, r), 2);
}

Double Math::TanH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  Double numerator = minus(e, r);
  return over(numerator, plus(e, r));
}

Double Math::CotH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  Double numerator = plus(e, r);
  return over(numerator, minus(e, r));
}

Double Math::SecH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  return over(2, plus(e, r));
}

Double Math::CscH(const Double& Value) {
  auto [e, r] = exponentials(Value);
  return over(2, minus(e, r));
}

// --- Inverse hyperbolic functions -------------------------------------------

Double Math::ASinH(const Double& Value) {
  const Double x = Value;
  return Log(plus(Sqr(plus(times(x, x), 1)), x));
}

Double Math::ACosH(const Double& Value) {
  const Double x = Value;
  return Log(plus(Sqr(minus(times(x, x), 1)), x));
}

Double Math::ATanH(const Double& Value) {
  const Double x = Value;
  Double numerator = plus(over(1, x), 1);
  Double denominator = minus(over(1, x), 1);
  return over(Log(over(numerator, denominator)), 2);
}

Double Math::ACotH(const Double& Value) {
  const Double x = Value;
  Double numerator = plus(x, 1);
  Double denominator = minus(x, 1);
  return over(Log(over(numerator, denominator)), 2);
}

Double Math::ASecH(const Double& Value) {
  const Double x = Value;
  return Log(over(plus(Sqr(minus(1, times(x, x))), 1), x));
}

Double Math::ACscH(const Double& Value) {
  const Double x = Value;
  Double sign = Sgn(x);
  Double root = Sqr(plus(times(x, x), 1));
  return Log(over(plus(times(sign, root), 1), x));
}

}  // namespace zs
