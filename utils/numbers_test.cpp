#include "utils/numbers.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "frame/dispatch.h"
#include "frame/error.h"
#include "frame/variant_ops.h"

namespace zs {
namespace {

using Conversion = Variant (Numbers::*)(String&);

// "Kind value" of a Variant, so expectations read as one string.
std::string show(const Variant& v) {
  std::string text = v.kind() == Kind::Error ? std::to_string(v.error().scode)
                     : v.isEmpty()            ? ""
                                              : u8(toText(v));
  return std::string(kindName(v.kind())) + " " + text;
}

class NumbersTest : public ::testing::Test {
 protected:
  void SetUp() override { setDecimalSeparator(u'.'); }

  // Runs a conversion on a copy of `input`; returns the result and leaves the
  // caller's variable in `after`.
  Variant run(Conversion fn, const std::string& input, std::string& after) {
    String arg = u16(input);
    try {
      Variant r = ((*numbers).*fn)(arg);
      after = u8(arg);
      return r;
    } catch (...) {
      after = u8(arg);
      throw;
    }
  }

  std::shared_ptr<Numbers> numbers = create<Numbers>();
};

struct Case {
  const char* name;
  Conversion fn;
  std::string input;
  std::string result;  // show() of the result
  std::string after;   // the caller's variable afterwards
};

TEST_F(NumbersTest, ConversionsGiveTheirResultKindAndWriteBack) {
  const std::string zeros50(50, '0');
  const std::vector<Case> cases = {
      // Binary to decimal: the kind follows the weights; the variable keeps its last digit.
      {"BinToDec", &Numbers::BinToDec, "101", "Integer 5", "1"},
      {"BinToDec", &Numbers::BinToDec, "0", "Integer 0", "0"},
      {"BinToDec", &Numbers::BinToDec, "000", "Integer 0", "0"},
      {"BinToDec", &Numbers::BinToDec, "111111111111111", "Integer 32767", "1"},
      {"BinToDec", &Numbers::BinToDec, "1" + std::string(15, '0'), "Long 32768", "0"},
      {"BinToDec", &Numbers::BinToDec, "0" + std::string(31, '1'), "Long 2147483647", "1"},
      {"BinToDec", &Numbers::BinToDec, "1" + std::string(31, '0'), "Double 2147483648", "0"},
      // Octal and hexadecimal to decimal: both letter cases, no length limit, Empty for "".
      {"OctToDec", &Numbers::OctToDec, "777", "Integer 511", "777"},
      {"OctToDec", &Numbers::OctToDec, "100000", "Long 32768", "100000"},
      {"OctToDec", &Numbers::OctToDec, "", "Empty ", ""},
      {"HexToDec", &Numbers::HexToDec, "ff", "Integer 255", "ff"},
      {"HexToDec", &Numbers::HexToDec, "FF", "Integer 255", "FF"},
      {"HexToDec", &Numbers::HexToDec, "7FFF", "Integer 32767", "7FFF"},
      {"HexToDec", &Numbers::HexToDec, "8000", "Long 32768", "8000"},
      {"HexToDec", &Numbers::HexToDec, "80000000", "Double 2147483648", "80000000"},
      // Decimal to octal and hexadecimal through a Long (two's complement when negative).
      {"DecToHex", &Numbers::DecToHex, "255", "String FF", "255"},
      {"DecToHex", &Numbers::DecToHex, "-1", "String FFFFFFFF", "-1"},
      {"DecToHex", &Numbers::DecToHex, " 2.5 ", "String 2", " 2.5 "},
      {"DecToOct", &Numbers::DecToOct, "8", "String 10", "8"},
      {"DecToOct", &Numbers::DecToOct, "-1", "String 37777777777", "-1"},
      // Decimal to binary: the variable ends as the remainder where the loop stopped.
      {"DecToBin", &Numbers::DecToBin, "1", "String 1", "0"},
      {"DecToBin", &Numbers::DecToBin, "68719476736", "String 1" + std::string(36, '0'), "0"},
      {"DecToBin", &Numbers::DecToBin, "922337203685475",
       "String 11010001101101110001011101011000111000100001100011", "0"},
      {"DecToBin", &Numbers::DecToBin, "922337203685476", "String " + zeros50, "922337203685476"},
      {"DecToBin", &Numbers::DecToBin, "0", "String " + zeros50, "0"},
      {"DecToBin", &Numbers::DecToBin, "-4", "String " + zeros50, "-4"},
      {"DecToBin", &Numbers::DecToBin, "1.5", "String " + zeros50, "1.5"},
      {"DecToBin", &Numbers::DecToBin, "2.5", "String 10", "0.5"},
      {"DecToBin", &Numbers::DecToBin, "5.5", "String 100", "1.5"},
      {"DecToBin", &Numbers::DecToBin, "12.5", "String 1100", "0.5"},
      {"DecToBin", &Numbers::DecToBin, "6.123456", "String 110", "0.1235"},
      // Two steps: the decimal text of the first step stays in the variable.
      {"BinToOct", &Numbers::BinToOct, "11111111", "String 377", "255"},
      {"BinToHex", &Numbers::BinToHex, "11111111", "String FF", "255"},
      {"BinToHex", &Numbers::BinToHex, "0" + std::string(31, '1'), "String 7FFFFFFF", "2147483647"},
      {"OctToBin", &Numbers::OctToBin, "17", "String 1111", "0"},
      {"OctToHex", &Numbers::OctToHex, "377", "String FF", "255"},
      {"HexToBin", &Numbers::HexToBin, "A", "String 1010", "0"},
      {"HexToBin", &Numbers::HexToBin, "0", "String " + zeros50, "0"},
      {"HexToOct", &Numbers::HexToOct, "ff", "String 377", "255"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "(" + c.input + ")");
    std::string after;
    EXPECT_EQ(show(run(c.fn, c.input, after)), c.result);
    EXPECT_EQ(after, c.after);
  }
}

TEST_F(NumbersTest, BinToDecKeepsFiftyDigitsExact) {
  String ones(50, u'1');
  Variant r = numbers->BinToDec(ones);
  ASSERT_EQ(r.kind(), Kind::Double);
  EXPECT_EQ(r.dbl(), 1125899906842623.0);
  EXPECT_EQ(ones, u"1");

  String top = u"1" + String(49, u'0');
  EXPECT_EQ(numbers->BinToDec(top).dbl(), 562949953421312.0);
}

struct Failure {
  const char* name;
  Conversion fn;
  std::string input;
  int number;
  std::string description;
  std::string after;  // the caller's variable keeps what was written before the error
};

TEST_F(NumbersTest, FailuresRaiseTheirErrorAndKeepEarlierWrites) {
  const std::string overflowText(32768, '1');
  const char* cantConvert = "Can't Convert.";
  const char* maxLen = "Max len is 50 character.";
  const char* overflow = "Overflow";
  const char* mismatch = "Type mismatch";
  const std::vector<Failure> cases = {
      {"BinToDec", &Numbers::BinToDec, "", 99, maxLen, ""},
      {"BinToDec", &Numbers::BinToDec, std::string(51, '1'), 99, maxLen, std::string(51, '1')},
      {"BinToDec", &Numbers::BinToDec, std::string(59, '1') + "2", 99, cantConvert,
       std::string(59, '1') + "2"},
      {"BinToDec", &Numbers::BinToDec, "-1", 99, cantConvert, "-1"},
      {"BinToDec", &Numbers::BinToDec, overflowText, 6, overflow, overflowText},
      {"OctToDec", &Numbers::OctToDec, "8", 99, cantConvert, "8"},
      {"HexToDec", &Numbers::HexToDec, "fg", 99, cantConvert, "fg"},
      {"HexToDec", &Numbers::HexToDec, std::string(300, 'F'), 6, overflow, std::string(300, 'F')},
      {"DecToHex", &Numbers::DecToHex, "2147483648", 6, overflow, "2147483648"},
      {"DecToHex", &Numbers::DecToHex, "abc", 13, mismatch, "abc"},
      {"DecToOct", &Numbers::DecToOct, "", 13, mismatch, ""},
      {"DecToBin", &Numbers::DecToBin, "", 13, mismatch, ""},
      {"DecToBin", &Numbers::DecToBin, "1e20", 6, overflow, "1e20"},
      {"BinToOct", &Numbers::BinToOct, std::string(32, '1'), 6, overflow, "4294967295"},
      {"BinToHex", &Numbers::BinToHex, "1" + std::string(31, '0'), 6, overflow, "2147483648"},
      {"BinToHex", &Numbers::BinToHex, "12", 99, cantConvert, "12"},
      {"OctToHex", &Numbers::OctToHex, "20000000000", 6, overflow, "2147483648"},
      {"OctToHex", &Numbers::OctToHex, "", 13, mismatch, ""},
      {"OctToBin", &Numbers::OctToBin, "", 13, mismatch, ""},
      {"OctToBin", &Numbers::OctToBin, "77777777777777777", 6, overflow,
       "2.25179981368525E+15"},
      {"HexToBin", &Numbers::HexToBin, "4000000000000", 6, overflow, "1.12589990684262E+15"},
      {"HexToOct", &Numbers::HexToOct, "80000000", 6, overflow, "2147483648"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "(" + c.input.substr(0, 40) + ")");
    std::string after;
    try {
      run(c.fn, c.input, after);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.description(), c.description);
    }
    EXPECT_EQ(after, c.after);
  }
}

// ---- Random identifiers ----

TEST_F(NumbersTest, RandomIdentifiersUseTheChosenAlphabetCompletely) {
  const std::vector<std::pair<Long, std::string>> alphabets = {
      {zvBinaryBase, "01"},
      {zvOctalBase, "01234567"},
      {zvDecimalBase, "0123456789"},
      {zvHexidecimalBase, "ABCDEF0123456789"},
      {zvAlphaNumericBase, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"},
  };
  for (auto [base, alphabet] : alphabets) {
    SCOPED_TRACE(alphabet);
    Integer digits = 2000;
    Long baseX = base;
    std::string id = u8(numbers->GenerateRandomID(digits, baseX).string());
    EXPECT_EQ(id.size(), 2000u);
    EXPECT_EQ(id.find_first_not_of(alphabet), std::string::npos);
    // Every position of the alphabet is reachable, the first and the last too.
    EXPECT_EQ(std::set<char>(id.begin(), id.end()).size(), alphabet.size());
    EXPECT_EQ(digits, 2000);
    EXPECT_EQ(baseX, base);
  }
}

TEST_F(NumbersTest, ImmediateCallsGiveDifferentIdentifiers) {
  Integer digits = 32;
  Long base = zvAlphaNumericBase;
  Variant first = numbers->GenerateRandomID(digits, base);
  Variant second = numbers->GenerateRandomID(digits, base);
  EXPECT_NE(first.string(), second.string());
  // Two instances created together do not share a sequence either.
  auto other = create<Numbers>();
  EXPECT_NE(numbers->GenerateRandomID(digits, base).string(),
            other->GenerateRandomID(digits, base).string());
}

TEST_F(NumbersTest, RandomIdentifierLengthAndBaseRules) {
  Integer eight = 8;
  EXPECT_EQ(numbers->GenerateRandomID(eight).string().find_first_not_of(u"0123456789"),
            String::npos);
  for (Long base : {-1, 5, 7}) {
    Long b = base;
    EXPECT_EQ(show(numbers->GenerateRandomID(eight, b)), "String ");
  }
  Integer zero = 0;
  Long hex = zvHexidecimalBase;
  EXPECT_EQ(show(numbers->GenerateRandomID(zero, hex)), "String ");
  for (Long base : {0, 4, 7}) {
    Integer negative = -1;
    Long b = base;
    try {
      numbers->GenerateRandomID(negative, b);
      ADD_FAILURE() << "no error for base " << base;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 5);
    }
  }
  // Octal identifiers always convert back.
  Long octal = zvOctalBase;
  Integer five = 5;
  for (int i = 0; i < 50; ++i) {
    String id = numbers->GenerateRandomID(five, octal).string();
    EXPECT_NO_THROW(numbers->OctToDec(id));
  }
}

// ---- The dynamic path ----

struct DynamicCase {
  const char* name;
  DispId id;
  Variant argument;  // passed by reference
  std::string result;
  std::string after;
};

TEST_F(NumbersTest, InvokeByNameAndDispidWritesBackToTheCallersArgument) {
  const std::vector<DynamicCase> cases = {
      {"BinToOct", methodId(0x00), Variant(u"1000"), "String 10", "String 8"},
      {"BinToHex", methodId(0x01), Variant(u"11111111"), "String FF", "String 255"},
      {"BinToDec", methodId(0x02), Variant(u"101"), "Integer 5", "String 1"},
      // A Long passed to the String parameter arrives as its text.
      {"BinToDec", methodId(0x02), Variant(Long{110}), "Integer 6", "String 0"},
      {"OctToBin", methodId(0x03), Variant(u"10"), "String 1000", "String 0"},
      {"OctToHex", methodId(0x04), Variant(u"377"), "String FF", "String 255"},
      {"OctToDec", methodId(0x05), Variant(Integer{17}), "Integer 15", "String 17"},
      {"DecToBin", methodId(0x06), Variant(Double{12.5}), "String 1100", "String 0.5"},
      {"DecToOct", methodId(0x07), Variant(u"64"), "String 100", "String 64"},
      {"DecToHex", methodId(0x08), Variant(Long{-1}), "String FFFFFFFF", "String -1"},
      {"HexToBin", methodId(0x09), Variant(u"f"), "String 1111", "String 0"},
      {"HexToOct", methodId(0x0A), Variant(u"1F"), "String 37", "String 31"},
      {"HexToDec", methodId(0x0B), Variant(u"FFFF"), "Long 65535", "String FFFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Argument> byName = {Argument::byReference(c.argument)};
    EXPECT_EQ(show(invoke(*numbers, c.name, CallKind::Method, byName)), c.result);
    EXPECT_EQ(show(byName[0].value), c.after);

    std::vector<Argument> byId = {Argument::byReference(c.argument)};
    EXPECT_EQ(show(invoke(*numbers, c.id, CallKind::Method, byId)), c.result);
    EXPECT_EQ(show(byId[0].value), c.after);

  }
}

TEST_F(NumbersTest, InvokeGenerateRandomIdDefaultsToDecimal) {
  std::vector<Argument> omitted = {Argument::byReference(Variant(Integer{12}))};
  String id = invoke(*numbers, "generaterandomid", CallKind::Method, omitted).string();
  EXPECT_EQ(id.size(), 12u);
  EXPECT_EQ(id.find_first_not_of(u"0123456789"), String::npos);

  std::vector<Argument> binary = {Argument::byReference(Variant(u"16")),
                                  Argument::byReference(Variant(Long{zvBinaryBase}))};
  id = invoke(*numbers, methodId(0x0C), CallKind::Method, binary).string();
  EXPECT_EQ(id.size(), 16u);
  EXPECT_EQ(id.find_first_not_of(u"01"), String::npos);
  EXPECT_EQ(show(binary[0].value), "Integer 16");
  EXPECT_EQ(show(binary[1].value), "Long 0");
}

struct DynamicFailure {
  const char* name;
  std::vector<Argument> args;
  int number;
  std::string description;
  std::string after;  // show() of the first argument afterwards
};

TEST_F(NumbersTest, InvokeReportsErrorsWithTheComponentAsSource) {
  std::vector<DynamicFailure> cases = {
      {"BinToDec", {Argument::byReference(Variant(u"102"))}, 99, "Can't Convert.", "String 102"},
      {"BinToDec", {Argument::byReference(Variant(u""))}, 99, "Max len is 50 character.",
       "String "},
      {"BinToHex", {Argument::byReference(Variant(String(32, u'1')))}, 6, "Overflow",
       "String 4294967295"},
      {"HexToOct", {Argument::byReference(Variant(u"z"))}, 99, "Can't Convert.", "String z"},
      {"DecToBin", {Argument::byReference(Variant(u"x"))}, 13, "Type mismatch", "String x"},
      {"GenerateRandomID",
       {Argument::byReference(Variant(Integer{-3})), Argument::byReference(Variant(Long{9}))},
       5, "Invalid procedure call or argument", "Integer -3"},
      {"GenerateRandomID", {Argument::omitted()}, 449, "Argument not optional", "Error -2147352572"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      invoke(*numbers, c.name, CallKind::Method, c.args);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.description(), c.description);
      EXPECT_EQ(e.source(), "VQZavrinStudio.ZSNumbers");
    }
    EXPECT_EQ(show(c.args[0].value), c.after);
  }
}

}  // namespace
}  // namespace zs
