#include "utils/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "frame/dispatch.h"
#include "frame/error.h"
#include "frame/variant_ops.h"

namespace zs {
namespace {

using namespace math_constants;
using DoubleFn = Double (*)(Math&, Double);

// Every one-Double member behind one signature, so tables can name them.
template <Double (Math::*Fn)(const Double&)>
Double byRef(Math& m, Double x) { return (m.*Fn)(x); }
Double acosOf(Math& m, Double x) { return m.ACos(x); }

// The error number a call raises, or 0 when it returns.
template <class F>
int errorOf(F&& call) {
  try {
    call();
    return 0;
  } catch (const Error& e) {
    return e.number();
  }
}

std::string show(const Variant& v) {
  return std::string(kindName(v.kind())) + " " + (v.isNull() ? "" : u8(toText(v)));
}

class MathTest : public ::testing::Test {
 protected:
  void SetUp() override { setDecimalSeparator(u'.'); }
  std::shared_ptr<Math> math = create<Math>();
};

TEST(MathConstants, AreTheRoundedDecimalsNotTheNearestDoubles) {
  EXPECT_EQ(kHalfPi, 1.5707963267949);
  EXPECT_EQ(kPi, 3.14159265358979);
  EXPECT_EQ(kLn10, 2.30258509299405);
  EXPECT_NE(kHalfPi, std::numbers::pi / 2);
  EXPECT_NE(kPi, std::numbers::pi);
  EXPECT_NE(kLn10, std::numbers::ln10);
}

struct DoubleCase {
  const char* name;
  DoubleFn fn;
  Double x;
  Double expected;      // compared exactly when `exact`, else to 1E-15 relative
  bool exact = false;
};

TEST_F(MathTest, DoubleFunctionsFollowTheirFormulas) {
  const std::vector<DoubleCase> cases = {
      // |x| = 1 gives the constants themselves.
      {"ASin 1", byRef<&Math::ASin>, 1, kHalfPi, true},
      {"ACos 1", acosOf, 1, 0, true},
      {"ACos -1", acosOf, -1, kPi, true},
      {"ASec 1", byRef<&Math::ASec>, 1, 0, true},
      {"ASec -1", byRef<&Math::ASec>, -1, kPi, true},
      {"ACsc 1", byRef<&Math::ACsc>, 1, kHalfPi, true},
      // Away from 1 the formulas; ACos and ASec subtract from the rounded P2.
      {"ASin 0.5", byRef<&Math::ASin>, 0.5, std::asin(0.5)},
      {"ACos 0", acosOf, 0, kHalfPi, true},
      {"ACos 0.5", acosOf, 0.5, kHalfPi - std::asin(0.5)},
      {"ACot -1", byRef<&Math::ACot>, -1, -0.7853981633974483},
      {"ACot 2", byRef<&Math::ACot>, 2, std::atan(0.5)},
      {"ASec 2", byRef<&Math::ASec>, 2, kHalfPi - std::asin(0.5)},
      {"ACsc -2", byRef<&Math::ACsc>, -2, -std::asin(0.5)},
      // Hyperbolic functions from e and 1/e.
      {"SinH 1", byRef<&Math::SinH>, 1, std::sinh(1.0)},
      {"CosH 0", byRef<&Math::CosH>, 0, 1, true},
      {"TanH 0.5", byRef<&Math::TanH>, 0.5, std::tanh(0.5)},
      {"CotH 0.5", byRef<&Math::CotH>, 0.5, 1 / std::tanh(0.5)},
      {"SecH 1", byRef<&Math::SecH>, 1, 1 / std::cosh(1.0)},
      {"CscH -1", byRef<&Math::CscH>, -1, 1 / std::sinh(-1.0)},
      {"SinH 709", byRef<&Math::SinH>, 709, std::sinh(709.0)},
      // Inverse hyperbolic functions.
      {"ASinH -3", byRef<&Math::ASinH>, -3, std::asinh(-3.0)},
      {"ACosH 1", byRef<&Math::ACosH>, 1, 0, true},
      {"ACosH 2", byRef<&Math::ACosH>, 2, std::acosh(2.0)},
      {"ATanH 0.5 keeps the formula's last bit", byRef<&Math::ATanH>, 0.5, 0.5493061443340549, true},
      {"ATanH -0.5", byRef<&Math::ATanH>, -0.5, std::atanh(-0.5)},
      {"ACotH 2", byRef<&Math::ACotH>, 2, std::atanh(0.5)},
      {"ASecH 1", byRef<&Math::ASecH>, 1, 0, true},
      {"ASecH 0.5", byRef<&Math::ASecH>, 0.5, std::acosh(2.0)},
      {"ACscH 2", byRef<&Math::ACscH>, 2, std::asinh(0.5)},
      {"ACscH -2", byRef<&Math::ACscH>, -2, std::asinh(-0.5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Double r = c.fn(*math, c.x);
    if (c.exact)
      EXPECT_EQ(r, c.expected);
    else
      EXPECT_NEAR(r, c.expected, 1e-15 * std::max(1.0, std::fabs(c.expected)));
  }
}

struct ErrorCase {
  const char* name;
  DoubleFn fn;
  Double x;
  int error;
};

TEST_F(MathTest, DoubleFunctionsRaiseWhereTheirOperationsFail) {
  const Double justAbove1 = std::nextafter(1.0, 2.0);
  const Double justBelow1 = std::nextafter(1.0, 0.0);
  const std::vector<ErrorCase> cases = {
      // Square roots of negative numbers.
      {"ASin above 1", byRef<&Math::ASin>, justAbove1, 5},
      {"ACos below -1", acosOf, -1.5, 5},
      {"ASec inside (-1, 1)", byRef<&Math::ASec>, 0.5, 5},
      {"ACsc inside (-1, 1)", byRef<&Math::ACsc>, -justBelow1, 5},
      {"ACosH below 1", byRef<&Math::ACosH>, 0.5, 5},
      {"ASecH above 1", byRef<&Math::ASecH>, 1.5, 5},
      // Logarithms of zero or of negative numbers.
      {"ACosH -1: Log(-1)", byRef<&Math::ACosH>, -1, 5},
      {"ATanH -1: Log(0)", byRef<&Math::ATanH>, -1, 5},
      {"ACotH -1: Log(0)", byRef<&Math::ACotH>, -1, 5},
      {"ASecH -0.5", byRef<&Math::ASecH>, -0.5, 5},
      {"ASinH -1E9 cancels to Log(0)", byRef<&Math::ASinH>, -1e9, 5},
      // Non-zero numbers divided by zero.
      {"ACot 0", byRef<&Math::ACot>, 0, 11},
      {"ATanH 0", byRef<&Math::ATanH>, 0, 11},
      {"ATanH 1", byRef<&Math::ATanH>, 1, 11},
      {"ACotH 1", byRef<&Math::ACotH>, 1, 11},
      {"ACscH 0", byRef<&Math::ACscH>, 0, 11},
      {"CotH 0", byRef<&Math::CotH>, 0, 11},
      {"CscH 0", byRef<&Math::CscH>, 0, 11},
      {"ASec 1E-200: 1 / (x * x) with x * x underflowed", byRef<&Math::ASec>, 1e-200, 11},
      // Exp(x) underflowed to 0 makes 1/e a division by zero in every hyperbolic function.
      {"SinH -800", byRef<&Math::SinH>, -800, 11},
      {"CotH -800", byRef<&Math::CotH>, -800, 11},
      {"CscH -800", byRef<&Math::CscH>, -800, 11},
      // Overflows: Exp beyond the Double range, 1/e of a subnormal e, x * x.
      {"SinH 800", byRef<&Math::SinH>, 800, 6},
      {"SecH 710", byRef<&Math::SecH>, 710, 6},
      {"CosH -720: 1/e overflows", byRef<&Math::CosH>, -720, 6},
      {"ASinH 1E200: x * x overflows", byRef<&Math::ASinH>, 1e200, 6},
      {"ACsc 1E200: x * x overflows", byRef<&Math::ACsc>, 1e200, 6},
      // Non-finite arguments from C++ callers fail the check.
      {"ASin NaN", byRef<&Math::ASin>, std::nan(""), 6},
      {"ACot infinity", byRef<&Math::ACot>, HUGE_VAL, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(errorOf([&] { c.fn(*math, c.x); }), c.error);
  }
}

using VariantFn = Double (*)(Math&, const Variant&);
Double log10Of(Math& m, const Variant& v) { return m.Log10(v); }
Double ceilOf(Math& m, const Variant& v) { return m.Ceil(v); }
Double floorOf(Math& m, const Variant& v) { return m.Floor(v); }
Double absCeil(Math& m, const Variant& v) { return m.AbsCeil(v); }
Double absCeilSigned(Math& m, const Variant& v) { return m.AbsCeil(v, true); }
Double absFloor(Math& m, const Variant& v) { return m.AbsFloor(v); }
Double absFloorSigned(Math& m, const Variant& v) { return m.AbsFloor(v, true); }
Double logBase2(Math& m, const Variant& v) { return m.LogX(v, Variant(Integer{2})); }
Double logOf1(Math& m, const Variant& base) { return m.LogX(Variant(1.0), base); }
Double logOf8(Math& m, const Variant& base) { return m.LogX(Variant(Integer{8}), base); }

struct VariantCase {
  const char* name;
  VariantFn fn;
  Variant x;
  Double expected;  // exact
  int error = 0;
};

TEST_F(MathTest, LogarithmsAndRoundingTakeVariants) {
  const std::vector<VariantCase> cases = {
      {"Log10 10 is below 1", log10Of, Variant(Integer{10}), 0.9999999999999982},
      {"Log10 text", log10Of, Variant(u" 100 "), 1.9999999999999964},
      {"Log10 0", log10Of, Variant(0.0), 0, 5},
      {"Log10 Empty is Log(0)", log10Of, Variant(), 0, 5},
      {"Log10 Null", log10Of, Variant::null(), 0, 94},
      {"Log10 not a number", log10Of, Variant(u"ten"), 0, 13},
      {"LogX 8 base 2", logOf8, Variant(Integer{2}), 3},
      {"LogX 1 base 1 is 0/0", logOf1, Variant(Integer{1}), 0, 6},
      {"LogX 8 base 1", logOf8, Variant(1.0), 0, 11},
      {"LogX base 0", logOf8, Variant(0.0), 0, 5},
      {"LogX of 0", logBase2, Variant(0.0), 0, 5},
      {"LogX of text", logBase2, Variant(u"x"), 0, 13},
      {"Ceil 2.5", ceilOf, Variant(2.5), 3},
      {"Ceil of a whole number is the next one", ceilOf, Variant(Integer{2}), 3},
      {"Ceil -2.5", ceilOf, Variant(-2.5), -2},
      {"Ceil Empty", ceilOf, Variant(), 1},
      {"Ceil Boolean True", ceilOf, Variant(true), 0},
      {"Floor -2.5", floorOf, Variant(-2.5), -3},
      {"Floor not a number", floorOf, Variant(u"7,9x"), 0, 13},
      {"AbsCeil 0", absCeil, Variant(0.0), 1},
      {"AbsCeil 0 keeping the sign", absCeilSigned, Variant(0.0), 0},
      {"AbsCeil -2.5 keeping the sign", absCeilSigned, Variant(-2.5), -3},
      {"AbsFloor -2.5", absFloor, Variant(-2.5), 2},
      {"AbsFloor -2.5 keeping the sign", absFloorSigned, Variant(-2.5), -2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<Double> r;
    EXPECT_EQ(errorOf([&] { r = c.fn(*math, c.x); }), c.error);
    if (c.error == 0 && r) {
      EXPECT_EQ(*r, c.expected);
    }
  }
}

struct StepCase {
  const char* name;
  bool increment;
  Variant value;
  std::optional<Variant> amount;  // nullopt: the default Integer 1
  std::string result;             // show() of the result and of the variable after
  int error = 0;
};

TEST_F(MathTest, IncAndDecFollowTheVariantRulesAndWriteTheVariable) {
  const std::vector<StepCase> cases = {
      {"Integer 5 + default", true, Variant(Integer{5}), std::nullopt, "Integer 6"},
      {"Integer 5 - 2.5", false, Variant(Integer{5}), Variant(2.5), "Double 2.5"},
      {"Integer 32767 + 1 becomes Long", true, Variant(Integer{32767}), std::nullopt, "Long 32768"},
      {"Long max + 1 becomes Double", true, Variant(Long{2147483647}), std::nullopt, "Double 2147483648"},
      {"Empty + default", true, Variant(), std::nullopt, "Integer 1"},
      {"String + number is Double", true, Variant(u"5"), Variant(Integer{1}), "Double 6"},
      {"two Strings are joined", true, Variant(u"5"), Variant(u"1"), "String 51"},
      {"two Strings under Dec", false, Variant(u"5"), Variant(u"1"), "Double 4"},
      {"Null stays Null", true, Variant::null(), std::nullopt, "Null "},
      {"Currency", true, Variant(Currency::fromScaled(15000)), std::nullopt, "Currency 2.5"},
      {"Double overflow", true, Variant(1.7e308), Variant(1.7e308), "", 6},
      {"text that is no number", true, Variant(u"abc"), Variant(Integer{1}), "", 13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Variant variable = c.value;
    Variant amount = c.amount.value_or(Variant(Integer{1}));
    Variant result;
    int error = errorOf([&] {
      result = c.amount ? (c.increment ? math->Inc(variable, amount) : math->Dec(variable, amount))
                        : (c.increment ? math->Inc(variable) : math->Dec(variable));
    });
    EXPECT_EQ(error, c.error);
    if (error == 0) {
      EXPECT_EQ(show(result), c.result);
      EXPECT_EQ(show(variable), c.result);
    } else {
      EXPECT_TRUE(variable.sameAs(c.value)) << "an error leaves the variable unchanged";
    }
  }
}

// --- The dynamic layer ------------------------------------------------------

TEST_F(MathTest, DispatchIdsFollowTheMemberNumbering) {
  // In dispatch-id order from 0x60030000; ASin comes before ACos.
  const char* names[] = {"Inc",   "Dec",   "Log10", "LogX",  "Ceil",  "Floor", "AbsCeil",
                         "AbsFloor", "ASin", "ACos", "ACot",  "ASec",  "ACsc",  "SinH",
                         "CosH",  "TanH",  "CotH",  "SecH",  "CscH",  "ASinH", "ACosH",
                         "ATanH", "ACotH", "ASecH", "ACscH"};
  const ClassInfo& cls = *math->classInfo();
  EXPECT_EQ(cls.kind, ClassKind::Control);
  EXPECT_EQ(cls.members().size(), std::size(names));
  for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
    const Member* byName = findMember(cls, names[i], CallKind::Method);
    ASSERT_NE(byName, nullptr) << names[i];
    EXPECT_EQ(byName->dispid, methodId(i)) << names[i];
    EXPECT_EQ(findMember(cls, methodId(i), CallKind::Method), byName) << names[i];
  }
}

struct CallCase {
  const char* name;
  std::string member;  // a name, or empty to call `id`
  DispId id;
  std::vector<Argument> args;
  std::string result;  // show() of the result
  std::string after;   // show() of the first argument afterwards
  int error = 0;
};

TEST_F(MathTest, DynamicCallsConvertArgumentsAndWriteOnlyIncAndDecVariables) {
  const auto ref = [](Variant v) { return Argument::byReference(std::move(v)); };
  const auto val = [](Variant v) { return Argument::byValue(std::move(v)); };
  const std::vector<CallCase> cases = {
      {"Inc, Amount omitted", "Inc", 0, {ref(Integer{5}), Argument::omitted()}, "Integer 6", "Integer 6"},
      {"Dec by id", "", methodId(1), {ref(Integer{5}), val(2.5)}, "Double 2.5", "Double 2.5"},
      {"Inc failing keeps the variable", "Inc", 0, {ref(u"abc"), val(Integer{1})}, "", "String abc", 13},
      {"ATanH reads its by-reference Double", "ATanH", 0, {ref(0.5)}, "Double 0.549306144334055", "Double 0.5"},
      {"ATanH 0 by id", "", methodId(0x15), {ref(0.0)}, "", "Double 0", 11},
      {"ASin of the text 1", "ASin", 0, {val(u"1")}, "Double 1.5707963267949", ""},
      {"ACos by value", "ACos", 0, {val(Integer{-1})}, "Double 3.14159265358979", ""},
      {"AbsFloor, KeepSign omitted", "AbsFloor", 0, {val(-2.5), Argument::omitted()}, "Double 2", ""},
      {"names ignore case", "absfloor", 0, {val(-2.5), val(true)}, "Double -2", ""},
      {"LogX of text", "LogX", 0, {val(u"8"), val(Long{2})}, "Double 3", ""},
      {"Log10 of Null", "Log10", 0, {val(Variant::null())}, "", "", 94},
      {"Ceil without its argument", "Ceil", 0, {}, "", "", 449},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    try {
      Variant r = c.member.empty() ? invoke(*math, c.id, CallKind::Method, c.args)
                                   : invoke(*math, c.member, CallKind::Method, c.args);
      EXPECT_EQ(c.error, 0);
      EXPECT_EQ(show(r), c.result);
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error);
      EXPECT_EQ(e.description(), standardDescription(c.error));
      EXPECT_EQ(e.source(), "VQZavrinStudio.ZSMath");
    }
    if (!c.after.empty()) {
      EXPECT_EQ(show(c.args[0].value), c.after);
    }
  }
}

}  // namespace
}  // namespace zs
