// ZSMath: increment and decrement of a caller's variable, logarithms, four
// rounding functions, the inverse trigonometric functions and the hyperbolic
// functions with their inverses.
//
// Every function is one fixed formula over a few primitives (Atn, Sqr, Log,
// Exp, Abs, Sgn, Int) and the rounded constants below, evaluated operation by
// operation in the order written; each operation's result is checked: a
// non-zero number divided by zero raises 11, an overflow or an undefined result
// raises 6, a square root of a negative number or a logarithm of a number not
// above zero raises 5. Results therefore keep the formulas' inexactness (Log10
// of 10 is 0.9999999999999982, Ceil of 2 is 3, ATanH of 0 raises 11).
#pragma once

#include <bit>
#include <cstdint>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"

namespace zs {

namespace math_constants {
// The rounded decimal values 1.5707963267949, 3.14159265358979 and
// 2.30258509299405, not the nearest Doubles to pi/2, pi and ln 10.
inline constexpr Double kHalfPi = std::bit_cast<Double>(std::uint64_t{0x3FF921FB54442D28});
inline constexpr Double kPi = std::bit_cast<Double>(std::uint64_t{0x400921FB54442D11});
inline constexpr Double kLn10 = std::bit_cast<Double>(std::uint64_t{0x40026BB1BBB5551F});
}  // namespace math_constants

class Math : public Control {
 public:
  // Value + Amount (Value - Amount) by the Variant rules, stored in the
  // caller's Value and returned; an error leaves Value as it was.
  Variant Inc(Variant& Value, const Variant& Amount = Variant(Integer{1}));
  Variant Dec(Variant& Value, const Variant& Amount = Variant(Integer{1}));

  // Variant arguments are taken as Doubles (13 for text that is no number,
  // 94 for Null).
  Double Log10(const Variant& Value);
  Double LogX(const Variant& Value, const Variant& X);
  Double Ceil(const Variant& Value);
  Double Floor(const Variant& Value);
  Double AbsCeil(const Variant& Value, Boolean KeepSign = false);
  Double AbsFloor(const Variant& Value, Boolean KeepSign = false);

  // The by-reference Double parameters are only read.
  Double ASin(const Double& Value);
  Double ACos(Double Value);
  Double ACot(const Double& Value);
  Double ASec(const Double& Value);
  Double ACsc(const Double& Value);
  Double SinH(const Double& Value);
  Double CosH(const Double& Value);
  Double TanH(const Double& Value);
  Double CotH(const Double& Value);
  Double SecH(const Double& Value);
  Double CscH(const Double& Value);
  Double ASinH(const Double& Value);
  Double ACosH(const Double& Value);
  Double ATanH(const Double& Value);
  Double ACotH(const Double& Value);
  Double ASecH(const Double& Value);
  Double ACscH(const Double& Value);

  const ClassInfo* classInfo() const override;
};

}  // namespace zs
