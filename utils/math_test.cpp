#include "utils/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

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

// The rounded constants, not the nearest Doubles to pi/2 and pi.
constexpr Double P2 = 1.5707963267949, P = 3.14159265358979;

struct DoubleCase {
  const char* name;
  DoubleFn fn;
  Double x;
  Double expected;     // compared exactly when `exact`, else to 1E-15 relative
  int error = 0;       // the error raised instead of a result
  bool exact = false;
};

TEST_F(MathTest, DoubleFunctionsFollowTheirFormulasAndRaiseWhereAnOperationFails) {
  const std::vector<DoubleCase> cases = {
      // |x| = 1 gives the rounded constants; elsewhere ACos and ASec subtract from P2.
      {"ASec 1", byRef<&Math::ASec>, 1, 0, 0, true},
      {"ASec -1", byRef<&Math::ASec>, -1, P, 0, true},
      {"ACsc -1", byRef<&Math::ACsc>, -1, -P2, 0, true},
      {"ACos 0", acosOf, 0, P2, 0, true},
      {"ASin 0.5", byRef<&Math::ASin>, 0.5, std::asin(0.5)},
      {"ASec 2", byRef<&Math::ASec>, 2, P2 - std::asin(0.5)},
      {"SinH 1", byRef<&Math::SinH>, 1, std::sinh(1.0)},
      {"CosH 0", byRef<&Math::CosH>, 0, 1, 0, true},
      {"TanH 0.5", byRef<&Math::TanH>, 0.5, std::tanh(0.5)},
      {"CotH 0.5", byRef<&Math::CotH>, 0.5, 1 / std::tanh(0.5)},
      {"SecH 1", byRef<&Math::SecH>, 1, 1 / std::cosh(1.0)},
      {"CscH -1", byRef<&Math::CscH>, -1, 1 / std::sinh(-1.0)},
      {"ASinH -3", byRef<&Math::ASinH>, -3, std::asinh(-3.0)},
      {"ACosH 2", byRef<&Math::ACosH>, 2, std::acosh(2.0)},
      {"ACotH 2", byRef<&Math::ACotH>, 2, std::atanh(0.5)},
      {"ASecH 0.5", byRef<&Math::ASecH>, 0.5, std::acosh(2.0)},
      {"ACscH -2", byRef<&Math::ACscH>, -2, std::asinh(-0.5)},
      // Square roots of negative numbers and logarithms of numbers not above 0: 5.
      {"ASin just above 1", byRef<&Math::ASin>, std::nextafter(1.0, 2.0), 0, 5},
      {"ASec inside (-1, 1)", byRef<&Math::ASec>, 0.5, 0, 5},
      {"ATanH -1: Log(0)", byRef<&Math::ATanH>, -1, 0, 5},
      {"ASinH -1E9 cancels to Log(0)", byRef<&Math::ASinH>, -1e9, 0, 5},
      // Non-zero numbers divided by zero, also where the mathematical value exists: 11.
      {"ACot 0", byRef<&Math::ACot>, 0, 0, 11},
      {"ATanH 1", byRef<&Math::ATanH>, 1, 0, 11},
      {"ASec 1E-200: x * x underflowed", byRef<&Math::ASec>, 1e-200, 0, 11},
      {"SinH -800: Exp underflowed, 1/e", byRef<&Math::SinH>, -800, 0, 11},
      // Overflows and non-finite arguments from C++ callers: 6.
      {"SinH 800", byRef<&Math::SinH>, 800, 0, 6},
      {"ASin NaN", byRef<&Math::ASin>, std::nan(""), 0, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Double r = 0;
    ASSERT_EQ(errorOf([&] { r = c.fn(*math, c.x); }), c.error);
    if (c.exact || c.error) {
      EXPECT_EQ(r, c.expected);
    } else {
      EXPECT_NEAR(r, c.expected, 1e-15 * std::max(1.0, std::fabs(c.expected)));
    }
  }
}

struct CallCase {
  const char* member;  // nullptr: call by `id`
  DispId id;
  std::vector<Argument> args;
  Variant result;                // compared by kind and bits
  std::optional<Variant> after = {};  // the first argument afterwards
  int error = 0;
};

// Inc, Dec and the Variant functions through the dynamic layer, as hosts call them.
TEST_F(MathTest, VariantMembersFollowTheVariantRulesAndWriteOnlyIncAndDecVariables) {
  EXPECT_EQ(math->classInfo()->members().size(), 25u);
  const auto ref = [](Variant v) { return Argument::byReference(std::move(v)); };
  const auto val = [](Variant v) { return Argument::byValue(std::move(v)); };
  const Argument omitted = Argument::omitted();
  const Variant none;
  const std::vector<CallCase> cases = {
      {"Inc", 0, {ref(Integer{5}), omitted}, Integer{6}, Integer{6}},
      {nullptr, methodId(1), {ref(Integer{5}), val(2.5)}, 2.5, 2.5},  // Dec
      {"Inc", 0, {ref(u"5"), val(u"1")}, u"51", u"51"},  // two Strings are joined
      {"Dec", 0, {ref(u"5"), val(u"1")}, 4.0, 4.0},
      {"Inc", 0, {ref(u"abc"), val(Integer{1})}, none, u"abc", 13},  // an error leaves it
      {"Log10", 0, {val(Integer{10})}, 0.9999999999999982},  // below 1 by the rounded L10
      {"Log10", 0, {val(0.0)}, none, {}, 5},
      {"Log10", 0, {val(Variant::null())}, none, {}, 94},
      {"LogX", 0, {val(u"8"), val(Long{2})}, 3.0},
      {"LogX", 0, {val(1.0), val(Integer{1})}, none, {}, 6},  // 0 / 0
      {"LogX", 0, {val(Integer{8}), val(1.0)}, none, {}, 11},
      {"Ceil", 0, {val(2.5)}, 3.0},
      {"Ceil", 0, {val(Integer{2})}, 3.0},  // a whole number gives the next one
      {"Floor", 0, {val(-2.5)}, -3.0},
      {"AbsCeil", 0, {val(0.0), omitted}, 1.0},
      {"AbsCeil", 0, {val(0.0), val(true)}, 0.0},
      {"AbsFloor", 0, {val(-2.5), omitted}, 2.0},
      {"absfloor", 0, {val(-2.5), val(true)}, -2.0},  // names ignore case
      // The Double functions read their by-reference argument and never write it.
      {"ATanH", 0, {ref(0.5)}, 0.5493061443340549, 0.5},
      {nullptr, methodId(0x15), {ref(0.0)}, none, 0.0, 11},  // ATanH
      // ASin has the id 0x08 and ACos 0x09; the rest follow from 0x0A.
      {nullptr, methodId(0x08), {val(u"1")}, P2},
      {nullptr, methodId(0x09), {val(Integer{-1})}, P},
      {nullptr, methodId(0x0A), {ref(-1.0)}, -0.7853981633974483},  // ACot
      {"Ceil", 0, {}, none, {}, 449},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.member ? c.member : std::to_string(c.id));
    try {
      Variant r = c.member ? invoke(*math, c.member, CallKind::Method, c.args)
                           : invoke(*math, c.id, CallKind::Method, c.args);
      EXPECT_EQ(c.error, 0);
      EXPECT_TRUE(r.sameAs(c.result)) << show(r);
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error);
      EXPECT_EQ(e.description(), standardDescription(c.error));
      EXPECT_EQ(e.source(), "VQZavrinStudio.ZSMath");
    }
    if (c.after) {
      EXPECT_TRUE(c.args[0].value.sameAs(*c.after)) << show(c.args[0].value);
    }
  }
}

}  // namespace
}  // namespace zs
