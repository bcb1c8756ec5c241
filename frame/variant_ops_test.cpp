#include "frame/variant_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "frame/error.h"

namespace zs {
namespace {

using BinaryOp = std::function<Variant(const Variant&, const Variant&)>;

// The error number raised by f, or 0 when it returns.
template <class F>
int errorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

Currency cur(std::int64_t scaled) { return Currency::fromScaled(scaled); }
Variant I(int v) { return Variant(static_cast<Integer>(v)); }
Variant L(std::int64_t v) { return Variant(static_cast<Long>(v)); }

// Sets the decimal separator for one test and restores the point afterwards.
struct SeparatorScope {
  explicit SeparatorScope(char16_t c) { setDecimalSeparator(c); }
  ~SeparatorScope() { setDecimalSeparator(u'.'); }
};

struct ArithmeticCase {
  const char* name;
  BinaryOp op;
  Variant a, b;
  Variant expected;  // kind and value
};

TEST(VariantArithmetic, ResultKindAndValue) {
  const ArithmeticCase cases[] = {
      {"int+int stays Integer", add, I(1), I(2), I(3)},
      {"int overflow promotes to Long", add, I(32767), I(1), L(32768)},
      {"int underflow promotes to Long", subtract, I(-32768), I(1), L(-32769)},
      {"int product promotes to Long", multiply, I(-32768), I(-32768), L(1073741824)},
      {"Long overflow promotes to Double", add, L(2147483647), L(1), Variant(2147483648.0)},
      {"Long product promotes to Double", multiply, L(-2147483647 - 1), L(-2147483647 - 1),
       Variant(4611686018427387904.0)},
      {"Long back in range stays Long", subtract, L(-2147483647 - 1), L(-1), L(-2147483647)},
      {"Boolean counts as Integer", add, Variant(true), Variant(true), I(-2)},
      {"Integer with Single", add, I(1), Variant(1.5f), Variant(2.5f)},
      {"Single overflow continues as Double", multiply, Variant(3e38f), Variant(10.0f),
       Variant(static_cast<Double>(3e38f) * 10.0)},
      {"Currency is the widest", add, Variant(0.5), Variant(cur(10000)), Variant(cur(15000))},
      {"Currency product rounds half even", multiply, Variant(cur(5)), Variant(cur(5000)),
       Variant(cur(2))},  // 0.0005 * 0.5 = 0.00025 -> 0.0002
      {"Currency product rounds up", multiply, Variant(cur(15)), Variant(cur(5000)),
       Variant(cur(8))},  // 0.00075 -> 0.0008
      {"negative Currency product", multiply, Variant(cur(-5)), Variant(cur(5000)),
       Variant(cur(-2))},
      {"Currency product of large amounts", multiply, Variant(cur(30000000000000)),
       Variant(cur(30000)), Variant(cur(90000000000000))},
      {"most negative Currency times 1", multiply,
       Variant(cur(std::numeric_limits<std::int64_t>::min())), I(1),
       Variant(cur(std::numeric_limits<std::int64_t>::min()))},
      {"Currency exact sum", add, Variant(cur(1)), Variant(cur(2)), Variant(cur(3))},
      {"String plus number is Double", add, Variant(u"5"), I(1), Variant(6.0)},
      {"two Strings concatenate", add, Variant(u"5"), Variant(u"1"), Variant(u"51")},
      {"String under subtraction", subtract, Variant(u"5"), Variant(u"1"), Variant(4.0)},
      {"String under multiplication", multiply, Variant(u" 2.5 "), I(2), Variant(5.0)},
      {"Empty plus Empty", add, Variant(), Variant(), I(0)},
      {"Empty plus String keeps the String", add, Variant(), Variant(u"x"), Variant(u"x")},
      {"Empty plus Currency keeps it", add, Variant(cur(7)), Variant(), Variant(cur(7))},
      {"Empty plus Boolean is Integer", add, Variant(), Variant(true), I(-1)},
      {"Empty under subtraction is 0", subtract, Variant(), I(5), I(-5)},
      {"Empty times Long", multiply, Variant(), L(100000), L(0)},
      {"Null propagates", add, Variant::null(), I(1), Variant::null()},
      {"Null with Empty", multiply, Variant(), Variant::null(), Variant::null()},
      {"Null with String", subtract, Variant(u"x"), Variant::null(), Variant::null()},
  };
  for (const auto& c : cases) {
    Variant r = c.op(c.a, c.b);
    EXPECT_EQ(r.kind(), c.expected.kind()) << c.name;
    EXPECT_TRUE(r.sameAs(c.expected)) << c.name << ": " << u8(r.isNull() ? u"Null" : toText(r));
  }
}

struct ErrorCase {
  const char* name;
  std::function<void()> call;
  int error;
};

TEST(VariantArithmetic, Errors) {
  const Currency maxCur = cur(std::numeric_limits<std::int64_t>::max());
  const ErrorCase cases[] = {
      {"non-numeric String", [] { add(Variant(u"abc"), I(1)); }, 13},
      {"non-numeric String subtracted", [] { subtract(Variant(u"1"), Variant(u"x")); }, 13},
      {"Object operand", [] { add(Variant::nothing(), I(1)); }, 13},
      {"missing operand", [] { multiply(I(1), Variant::missing()); }, 13},
      {"Object before Null", [] { add(Variant::nothing(), Variant::null()); }, 13},
      {"Currency sum overflows", [&] { add(Variant(maxCur), Variant(cur(1))); }, 6},
      {"Currency product overflows", [&] { multiply(Variant(maxCur), I(2)); }, 6},
      {"most negative Currency negated",
       [] { multiply(Variant(cur(std::numeric_limits<std::int64_t>::min())), I(-1)); }, 6},
      {"Double into Currency overflows", [&] { add(Variant(1e300), Variant(cur(1))); }, 6},
      {"Double overflows", [] { multiply(Variant(1e308), Variant(10.0)); }, 6},
      {"Double inf-inf", [] { subtract(Variant(1e308 * 10), Variant(1e308 * 10)); }, 6},
      {"1/0", [] { divide(1, 0); }, 11},
      {"-1/0", [] { divide(-1, 0); }, 11},
      {"0/0", [] { divide(0, 0); }, 6},
      {"overflowing quotient", [] { divide(1e308, 1e-10); }, 6},
      {"checked NaN", [] { checked(std::nan("")); }, 6},
      {"checked division flag", [] { checked(INFINITY, true); }, 11},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.name;
  EXPECT_EQ(divide(1, 4), 0.25);
  EXPECT_EQ(checked(1e-320 * 1e-10), 0.0);  // underflow is not an error
}

TEST(VariantOps, Concat) {
  EXPECT_EQ(concat(Variant(), Variant::null()).string(), u"");
  EXPECT_EQ(concat(I(-5), Variant(1.5)).string(), u"-51.5");
  EXPECT_EQ(concat(Variant(true), Variant(cur(-5000))).string(), u"True-0.5");
  EXPECT_EQ(errorOf([] { concat(Variant(u"a"), Variant::nothing()); }), 13);
}

TEST(VariantOps, Equality) {
  const struct {
    Variant a, b;
    bool equal;
  } cases[] = {
      {I(1), Variant(1.0), true},
      {L(3), Variant(cur(30000)), true},
      {Variant(0.1), Variant(cur(1000)), false},  // the Double 0.1 is not exactly 0.1
      {Variant(0.5), Variant(cur(5000)), true},
      {Variant(0.1f), Variant(0.1), false},
      {Variant(true), I(-1), true},
      {Variant(), I(0), true},
      {Variant(), Variant(u""), true},
      {Variant(), Variant(), true},
      {Variant(), Variant(u"0"), false},
      {I(1), Variant(u"1"), false},
      {Variant(u"a"), Variant(u"A"), false},
      {Variant(u"ab"), Variant(u"ab"), true},
      {Variant::null(), Variant::null(), false},
      {Variant::null(), Variant(), false},
      {Variant::missing(), Variant::missing(), true},
      {Variant::missing(), I(0), false},
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
      {u"  12.5\t", 12.5},  {u"-3", -3},          {u"+.5", 0.5},           {u"5.", 5},
      {u"1E3", 1000},       {u"1e-3", 0.001},     {u"2D+2", 200},          {u"-1.5d-1", -0.15},
      {u"&HFF", 255},       {u"&hffff", -1},      {u"&H8000", -32768},     {u"&H10000", 65536},
      {u"&HFFFFFFFF", -1},  {u"&O177777", -1},    {u"&o200000", 65536},    {u"&H0000FFFF", -1},
      {u"0.1", 0.1},        {u"1e-400", 0},       {u"00012", 12},
      {u"123456789012345678901234567890", 1.2345678901234568e29},
  };
  for (const auto& c : cases) EXPECT_EQ(parseDouble(c.text), c.value) << u8(c.text);

  const struct {
    const char16_t* text;
    int error;
  } bad[] = {
      {u"", 13},     {u"  ", 13},   {u"abc", 13}, {u"1x", 13},         {u"1.2.3", 13},
      {u".", 13},    {u"-", 13},    {u"1E", 13},  {u"1E+", 13},        {u"&H", 13},
      {u"&HG", 13},  {u"&O8", 13},  {u"&X1", 13}, {u"- 1", 13},        {u"1,5", 13},
      {u"1e309", 6}, {u"&H100000000", 6},         {u"&HFFFFFFFFFZ", 13}, {u"1e99999999999999999999", 6},
  };
  for (const auto& c : bad) EXPECT_EQ(errorOf([&] { parseDouble(c.text); }), c.error) << u8(c.text);
}

TEST(NumberParse, LongAndCurrencyRoundHalfEven) {
  const struct {
    const char16_t* text;
    Long value;
  } longs[] = {
      {u"2.5", 2},   {u"3.5", 4},  {u"-2.5", -2}, {u"2.5000001", 3},  {u"0.5", 0},
      {u"0.05", 0},  {u"1.5", 2},  {u"25E-1", 2}, {u"2147483647.4", 2147483647},
      {u"-2147483648.5", -2147483647 - 1},        {u"&HFFFF", -1},  {u"&H7FFFFFFF", 2147483647},
  };
  for (const auto& c : longs) EXPECT_EQ(parseLong(c.text), c.value) << u8(c.text);
  for (const char16_t* t : {u"2147483647.5", u"-2147483649", u"1e10", u"&H100000000"})
    EXPECT_EQ(errorOf([&] { parseLong(t); }), 6) << u8(t);

  const struct {
    const char16_t* text;
    std::int64_t scaled;
  } currencies[] = {
      {u"1.23456", 12346},
      {u"0.00005", 0},
      {u"0.00015", 2},
      {u"-0.00025", -2},
      {u"922337203685477.5807", std::numeric_limits<std::int64_t>::max()},
      {u"-922337203685477.5808", std::numeric_limits<std::int64_t>::min()},
      {u"-922337203685477.58085", std::numeric_limits<std::int64_t>::min()},  // tie to even
      {u"123456789012.3456", 1234567890123456},
      {u"&HFFFF", -10000},
  };
  for (const auto& c : currencies) EXPECT_EQ(parseCurrency(c.text).scaled, c.scaled) << u8(c.text);
  for (const char16_t* t : {u"922337203685477.58075", u"1e16", u"-922337203685477.58086"})
    EXPECT_EQ(errorOf([&] { parseCurrency(t); }), 6) << u8(t);
}

TEST(NumberConvert, Conversions) {
  EXPECT_EQ(toInteger(Variant(2.5)), 2);
  EXPECT_EQ(toInteger(Variant(-32768.4)), -32768);
  EXPECT_EQ(toInteger(Variant(cur(325000))), 32);  // 32.5 -> 32
  EXPECT_EQ(toInteger(Variant(true)), -1);
  EXPECT_EQ(toLong(Variant(u"&H8000")), -32768);
  EXPECT_EQ(toDouble(Variant(cur(-5))), -0.0005);
  EXPECT_EQ(toCurrency(Variant(2.00005)).scaled, 20000);  // the Double is just below the half
  EXPECT_EQ(toCurrency(Variant(1.00005)).scaled, 10001);  // and this one just above
  EXPECT_EQ(toCurrency(Variant(0.5)).scaled, 5000);
  EXPECT_EQ(toSingle(Variant(u"1.5")), 1.5f);
  EXPECT_TRUE(toBoolean(Variant(u"tRUE")));
  EXPECT_FALSE(toBoolean(Variant(u"False")));
  EXPECT_TRUE(toBoolean(Variant(u"0.1")));
  EXPECT_FALSE(toBoolean(Variant()));

  const ErrorCase cases[] = {
      {"Integer range", [] { toInteger(Variant(32767.5)); }, 6},
      {"Integer from Long", [] { toInteger(L(40000)); }, 6},
      {"Integer from text", [] { toInteger(Variant(u"&H10000")); }, 6},
      {"Long from NaN", [] { toLong(Variant(std::nan(""))); }, 6},
      {"Long from huge Currency",
       [] { toLong(Variant(cur(std::numeric_limits<std::int64_t>::max()))); }, 6},
      {"Single overflow", [] { toSingle(Variant(1e39)); }, 6},
      {"Currency overflow", [] { toCurrency(Variant(1e15)); }, 6},
      {"Null to number", [] { toDouble(Variant::null()); }, 94},
      {"Null to Boolean", [] { toBoolean(Variant::null()); }, 94},
      {"Object to number", [] { toLong(Variant::nothing()); }, 13},
      {"missing to Currency", [] { toCurrency(Variant::missing()); }, 13},
      {"text to Boolean", [] { toBoolean(Variant(u"yes")); }, 13},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.call), c.error) << c.name;
}

TEST(NumberText, Formatting) {
  const struct {
    Variant value;
    const char16_t* text;
  } cases[] = {
      {I(-32768), u"-32768"},
      {L(2147483647), u"2147483647"},
      {Variant(1125899906842623.0), u"1.12589990684262E+15"},
      {Variant(999999999999999.0), u"999999999999999"},
      {Variant(999999999999999.9), u"1E+15"},  // rounding reaches the threshold
      {Variant(0.0001), u"0.0001"},
      {Variant(0.00001), u"1E-05"},
      {Variant(0.000099999999999999999), u"0.0001"},
      {Variant(1e100), u"1E+100"},
      {Variant(-1.5e-300), u"-1.5E-300"},
      {Variant(0.1 + 0.2), u"0.3"},
      {Variant(-0.0), u"0"},
      {Variant(1.0 / 3), u"0.333333333333333"},
      {Variant(123456789.0f), u"1.234568E+08"},
      {Variant(1234567.0f), u"1234567"},
      {Variant(0.1f), u"0.1"},
      {Variant(cur(12345678)), u"1234.5678"},
      {Variant(cur(-5000)), u"-0.5"},
      {Variant(cur(120000)), u"12"},
      {Variant(cur(std::numeric_limits<std::int64_t>::min())), u"-922337203685477.5808"},
      {Variant(true), u"True"},
      {Variant(false), u"False"},
      {Variant(), u""},
      {Variant(u"as is"), u"as is"},
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
      {Variant(true), u"FFFF", u"177777"},
      {Variant(), u"0", u"0"},
      {I(255), u"FF", u"377"},
      {Variant(-1.0), u"FFFFFFFF", u"37777777777"},
      {Variant(2.5), u"2", u"2"},
      {Variant(u"&HFFFF"), u"FFFFFFFF", u"37777777777"},
      {Variant(cur(105000)), u"A", u"12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hexText(c.value).string(), c.hex) << u8(c.hex);
    EXPECT_EQ(octText(c.value).string(), c.oct) << u8(c.oct);
  }
  EXPECT_TRUE(hexText(Variant::null()).isNull());
  EXPECT_EQ(errorOf([] { hexText(Variant(3e9)); }), 6);
  EXPECT_EQ(errorOf([] { octText(Variant::nothing()); }), 13);
}

TEST(DecimalSeparator, CommaLocale) {
  SeparatorScope comma(u',');
  EXPECT_EQ(parseDouble(u"1,5"), 1.5);
  EXPECT_EQ(parseCurrency(u"-0,00015").scaled, -2);
  EXPECT_EQ(errorOf([] { parseDouble(u"1.5"); }), 13);
  EXPECT_EQ(toText(Variant(1.5)), u"1,5");
  EXPECT_EQ(toText(Variant(1.5e20)), u"1,5E+20");
  EXPECT_EQ(toText(Variant(cur(-5000))), u"-0,5");
  EXPECT_EQ(add(Variant(u"0,25"), I(1)).dbl(), 1.25);
}

TEST(DecimalSeparator, RejectsCharactersThatBelongToNumbers) {
  for (char16_t c : {u'5', u'-', u'E', u' ', u'&', u'\0'})
    EXPECT_EQ(errorOf([&] { setDecimalSeparator(c); }), 5);
  EXPECT_EQ(parseDouble(u"0.5"), 0.5);  // the separator is unchanged
}

}  // namespace
}  // namespace zs
