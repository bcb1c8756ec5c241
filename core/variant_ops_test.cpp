#include "core/variant_ops.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include <cmath>
#include <functional>
#include <limits>

#include "core/error.h"

namespace zs {
namespace {

using BinaryOp = std::function<Variant(const Variant&, const Variant&)>;
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

Variant C(std::int64_t scaled) { return Variant(Currency::fromScaled(scaled)); }
Variant I(int v) { return Variant(static_cast<Integer>(v)); }
Variant L(std::int64_t v) { return Variant(static_cast<Long>(v)); }

struct ErrorCase {
  const char* name;
  std::function<void()> call;
  int error;
};

TEST(VariantArithmetic, ResultKindAndValue) {
  const struct {
    const char* name;
    BinaryOp op;
    Variant a, b, expected;  // kind and value
  } cases[] = {
      {"int+int stays Integer", add, I(1), I(2), I(3)},
      {"int overflow promotes to Long", add, I(32767), I(1), L(32768)},
      {"int product promotes to Long", multiply, I(-32768), I(-32768), L(1073741824)},
      {"Long overflow promotes to Double", add, L(2147483647), L(1), Variant(2147483648.0)},
      {"Long back in range stays Long", subtract, L(-2147483647 - 1), L(-1), L(-2147483647)},
      {"Boolean counts as Integer", add, Variant(true), Variant(true), I(-2)},
      {"Integer with Single", add, I(1), Variant(1.5f), Variant(2.5f)},
      {"Single overflow continues as Double", multiply, Variant(3e38f), Variant(10.0f),
       Variant(static_cast<Double>(3e38f) * 10.0)},
      {"Currency is the widest", add, Variant(0.5), C(10000), C(15000)},
      {"Currency product rounds half even", multiply, C(5), C(5000), C(2)},  // 0.00025
      {"Currency product rounds up", multiply, C(15), C(5000), C(8)},        // 0.00075
      {"Currency product of large amounts", multiply, C(30000000000000), C(30000), C(90000000000000)},
      {"most negative Currency times 1", multiply, C(kMin64), I(1), C(kMin64)},
      {"String plus number is Double", add, Variant(u"5"), I(1), Variant(6.0)},
      {"two Strings concatenate", add, Variant(u"5"), Variant(u"1"), Variant(u"51")},
      {"String under multiplication", multiply, Variant(u" 2.5 "), I(2), Variant(5.0)},
      {"Empty plus Empty", add, Variant(), Variant(), I(0)},
      {"Empty plus String keeps the String", add, Variant(), Variant(u"x"), Variant(u"x")},
      {"Empty times Long", multiply, Variant(), L(100000), L(0)},
      {"Null propagates", add, Variant::null(), I(1), Variant::null()},
      {"Null with String", subtract, Variant(u"x"), Variant::null(), Variant::null()},
  };
  for (const auto& c : cases) {
    Variant r = c.op(c.a, c.b);
    EXPECT_EQ(r.kind(), c.expected.kind()) << c.name;
    EXPECT_TRUE(r.sameAs(c.expected)) << c.name << ": " << u8(r.isNull() ? u"Null" : toText(r));
  }
}

TEST(VariantArithmetic, Errors) {
  const ErrorCase cases[] = {
      {"non-numeric String", [] { subtract(Variant(u"1"), Variant(u"x")); }, 13},
      {"Object operand", [] { add(Variant::nothing(), I(1)); }, 13},
      {"missing operand", [] { multiply(I(1), Variant::missing()); }, 13},
      {"Object before Null", [] { add(Variant::nothing(), Variant::null()); }, 13},
      {"Currency sum overflows", [] { add(C(kMax64), C(1)); }, 6},
      {"most negative Currency negated", [] { multiply(C(kMin64), I(-1)); }, 6},
      {"Double into Currency overflows", [] { add(Variant(1e300), C(1)); }, 6},
      {"Double overflows", [] { multiply(Variant(1e308), Variant(10.0)); }, 6},
      {"1/0", [] { divide(1, 0); }, 11},
      {"0/0", [] { divide(0, 0); }, 6},
      {"overflowing quotient", [] { divide(1e308, 1e-10); }, 6},
      {"checked NaN", [] { checked(std::nan("")); }, 6},
      {"checked division flag", [] { checked(INFINITY, true); }, 11},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.name;
  EXPECT_EQ(checked(1e-320 * 1e-10), 0.0);  // underflow is not an error
}

TEST(VariantOps, ConcatAndEquality) {
  EXPECT_EQ(concat(Variant(), Variant::null()).string(), u"");
  EXPECT_EQ(concat(Variant(true), C(-5000)).string(), u"True-0.5");
  EXPECT_EQ(errorOf([] { concat(Variant(u"a"), Variant::nothing()); }), 13);

  const struct {
    Variant a, b;
    bool equal;
  } cases[] = {
      {I(1), Variant(1.0), true},
      {Variant(0.1), C(1000), false},  // the Double 0.1 is not exactly 0.1
      {Variant(0.5), C(5000), true}, {Variant(0.1f), Variant(0.1), false},
      {Variant(true), I(-1), true}, {Variant(), I(0), true},
      {Variant(), Variant(u""), true}, {Variant(), Variant(u"0"), false},
      {I(1), Variant(u"1"), false}, {Variant(u"a"), Variant(u"A"), false},
      {Variant::null(), Variant::null(), false}, {Variant::missing(), Variant::missing(), true},
      {Variant::nothing(), Variant::nothing(), true},
      {Variant(std::nan("")), Variant(std::nan("")), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(equals(c.a, c.b), c.equal) << kindName(c.a.kind()) << " vs " << kindName(c.b.kind());
    EXPECT_EQ(equals(c.b, c.a), c.equal) << "reversed " << kindName(c.a.kind());
  }
}

TEST(NumberParse, Double) {
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"  12.5\t", 12.5}, {u"+.5", 0.5},    {u"5.", 5},           {u"1e-3", 0.001},
      {u"-1.5d-1", -0.15}, {u"&HFF", 255},   {u"&hffff", -1},      {u"&H10000", 65536},
      {u"&HFFFFFFFF", -1}, {u"&O177777", -1}, {u"1e-400", 0},
      {u"123456789012345678901234567890", 1.2345678901234568e29},
  };
  for (const auto& c : cases) EXPECT_EQ(parseDouble(c.text), c.value) << u8(c.text);

  const struct {
    const char16_t* text;
    int error;
  } bad[] = {
      {u"  ", 13},   {u"1x", 13},  {u"1.2.3", 13}, {u".", 13},  {u"1E+", 13},
      {u"&HG", 13},  {u"&O8", 13}, {u"- 1", 13},   {u"1,5", 13}, {u"1e309", 6},
      {u"&H100000000", 6},         {u"1e99999999999999999999", 6},
  };
  for (const auto& c : bad) EXPECT_EQ(errorOf([&] { parseDouble(c.text); }), c.error) << u8(c.text);
}

TEST(NumberParse, LongAndCurrencyRoundHalfEven) {
  const struct {
    const char16_t* text;
    Long value;
  } longs[] = {
      {u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2}, {u"2.5000001", 3}, {u"25E-1", 2},
      {u"-2147483648.5", -2147483647 - 1},      {u"&HFFFF", -1},
  };
  for (const auto& c : longs) EXPECT_EQ(parseLong(c.text), c.value) << u8(c.text);
  for (const char16_t* t : {u"2147483647.5", u"-2147483649", u"&H100000000"})
    EXPECT_EQ(errorOf([&] { parseLong(t); }), 6) << u8(t);

  const struct {
    const char16_t* text;
    std::int64_t scaled;
  } currencies[] = {
      {u"1.23456", 12346},
      {u"0.00005", 0},
      {u"-0.00025", -2},
      {u"922337203685477.5807", kMax64},
      {u"-922337203685477.58085", kMin64},  // tie to even
      {u"&HFFFF", -10000},
  };
  for (const auto& c : currencies) EXPECT_EQ(parseCurrency(c.text).scaled, c.scaled) << u8(c.text);
  for (const char16_t* t : {u"922337203685477.58075", u"1e16", u"-922337203685477.58086"})
    EXPECT_EQ(errorOf([&] { parseCurrency(t); }), 6) << u8(t);
}

TEST(NumberConvert, Conversions) {
  EXPECT_EQ(toInteger(Variant(2.5)), 2);
  EXPECT_EQ(toInteger(C(325000)), 32);  // 32.5 -> 32
  EXPECT_EQ(toLong(Variant(u"&H8000")), -32768);
  EXPECT_EQ(toCurrency(Variant(2.00005)).scaled, 20000);  // the Double is just below the half
  EXPECT_EQ(toCurrency(Variant(1.00005)).scaled, 10001);  // and this one just above
  EXPECT_TRUE(toBoolean(Variant(u"tRUE")));
  EXPECT_TRUE(toBoolean(Variant(u"0.1")));
  EXPECT_FALSE(toBoolean(Variant()));

  const ErrorCase cases[] = {
      {"Integer range", [] { toInteger(Variant(32767.5)); }, 6},
      {"Integer from text", [] { toInteger(Variant(u"&H10000")); }, 6},
      {"Long from NaN", [] { toLong(Variant(std::nan(""))); }, 6},
      {"Long from huge Currency", [] { toLong(C(kMax64)); }, 6},
      {"Single overflow", [] { toSingle(Variant(1e39)); }, 6},
      {"Currency overflow", [] { toCurrency(Variant(1e15)); }, 6},
      {"Null to number", [] { toDouble(Variant::null()); }, 94},
      {"Null to Boolean", [] { toBoolean(Variant::null()); }, 94},
      {"Object to number", [] { toLong(Variant::nothing()); }, 13},
      {"text to Boolean", [] { toBoolean(Variant(u"yes")); }, 13},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.name;
}

TEST(NumberText, Formatting) {
  const struct {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {Variant(1125899906842623.0), u"1.12589990684262E+15"},
      {Variant(999999999999999.0), u"999999999999999"},
      {Variant(999999999999999.9), u"1E+15"},  // rounding reaches the threshold
      {Variant(0.0001), u"0.0001"}, {Variant(0.00001), u"1E-05"},
      {Variant(0.000099999999999999999), u"0.0001"}, {Variant(-1.5e-300), u"-1.5E-300"},
      {Variant(0.1 + 0.2), u"0.3"}, {Variant(-0.0), u"0"},
      {Variant(123456789.0f), u"1.234568E+08"}, {Variant(0.1f), u"0.1"},
      {C(-5000), u"-0.5"}, {C(kMin64), u"-922337203685477.5808"},
      {Variant(true), u"True"}, {Variant(), u""},
  };
  for (const auto& c : cases) EXPECT_EQ(u8(toText(c.value)), u8(c.text)) << u8(c.text);
  EXPECT_EQ(errorOf([] { toText(Variant::null()); }), 94);
  EXPECT_EQ(errorOf([] { toText(Variant::missing()); }), 13);
  EXPECT_EQ(errorOf([] { toText(Variant(INFINITY)); }), 6);
}

TEST(NumberText, HexAndOctal) {
  const struct {
    Variant value;
    const char16_t* hex;
    const char16_t* oct;
  } cases[] = {
      {I(-1), u"FFFF", u"177777"},
      {L(-1), u"FFFFFFFF", u"37777777777"},
      {Variant(), u"0", u"0"},
      {Variant(2.5), u"2", u"2"},
      {Variant(u"&HFFFF"), u"FFFFFFFF", u"37777777777"},
      {C(105000), u"A", u"12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hexText(c.value).string(), c.hex) << u8(c.hex);
    EXPECT_EQ(octText(c.value).string(), c.oct) << u8(c.oct);
  }
  EXPECT_TRUE(hexText(Variant::null()).isNull());
  EXPECT_EQ(errorOf([] { hexText(Variant(3e9)); }), 6);
  EXPECT_EQ(errorOf([] { octText(Variant::nothing()); }), 13);
}

TEST(DecimalSeparator, CommaLocaleAndRejectedCharacters) {
  for (char16_t c : {u'5', u'-', u'E', u' ', u'&', u'\0'})
    EXPECT_EQ(errorOf([&] { setDecimalSeparator(c); }), 5);
  EXPECT_EQ(parseDouble(u"0.5"), 0.5);  // the separator is unchanged

  setDecimalSeparator(u',');
  struct Restore {
    ~Restore() { setDecimalSeparator(u'.'); }
  } restore;
  EXPECT_EQ(parseDouble(u"1,5"), 1.5);
  EXPECT_EQ(parseCurrency(u"-0,00015").scaled, -2);
  EXPECT_EQ(errorOf([] { parseDouble(u"1.5"); }), 13);
  EXPECT_EQ(toText(Variant(1.5e20)), u"1,5E+20");
  EXPECT_EQ(toText(C(-5000)), u"-0,5");
  EXPECT_EQ(add(Variant(u"0,25"), I(1)).dbl(), 1.25);
}

}  // namespace
}  // namespace zs
