#include "utils/numbers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

using Conversion = Variant (Numbers::*)(String&);

// "Kind value" of a Variant, so expectations read as one string.
std::string show(const Variant& v) {
  return std::string(kindName(v.kind())) + " " + (v.isEmpty() ? "" : u8(toText(v)));
}

class NumbersTest : public ::testing::Test {
 protected:
  void SetUp() override { setDecimalSeparator(u'.'); }

  // Runs a conversion on `input` and leaves the caller's variable in `after`,
  // also when the conversion raises.
  Variant run(Conversion fn, const std::string& input, std::string& after) {
    String arg = u16(input);
    struct Keep {
      String& arg;
      std::string& after;
      ~Keep() { after = u8(arg); }
    } keep{arg, after};
    return ((*numbers).*fn)(arg);
  }

  Variant randomId(Integer digits, Long base) { return numbers->GenerateRandomID(digits, base); }

  std::shared_ptr<Numbers> numbers = create<Numbers>();
};

struct Case {
  Conversion fn;
  std::string input;
  std::string result;  // show() of the result
  std::string after;   // the caller's variable afterwards, also after an error
  int error = 0;
  const char* description = nullptr;  // the component's own text of the errors 99
};

TEST_F(NumbersTest, ConversionsGiveTheirResultKindOrErrorAndWriteBack) {
  const std::string zeros50(50, '0'), tooLong(32768, '1');
  const char* maxLen = "Max len is 50 character.";
  const char* cant = "Can't Convert.";
  const std::vector<Case> cases = {
      // Binary to decimal: the kind follows the weights; the variable keeps its last digit.
      {&Numbers::BinToDec, "101", "Integer 5", "1"},
      {&Numbers::BinToDec, "000", "Integer 0", "0"},
      {&Numbers::BinToDec, "1" + std::string(15, '0'), "Long 32768", "0"},
      {&Numbers::BinToDec, "1" + std::string(31, '0'), "Double 2147483648", "0"},
      {&Numbers::BinToDec, "", "", "", 99, maxLen},
      {&Numbers::BinToDec, std::string(51, '1'), "", std::string(51, '1'), 99, maxLen},
      // The character check comes before the length check.
      {&Numbers::BinToDec, std::string(59, '1') + "2", "", std::string(59, '1') + "2", 99, cant},
      {&Numbers::BinToDec, tooLong, "", tooLong, 6},
      // Octal and hexadecimal to decimal: both letter cases, Empty for "", no length limit.
      {&Numbers::OctToDec, "777", "Integer 511", "777"},
      {&Numbers::OctToDec, "", "Empty ", ""},
      {&Numbers::OctToDec, "8", "", "8", 99, cant},
      {&Numbers::HexToDec, "ff", "Integer 255", "ff"},
      {&Numbers::HexToDec, "80000000", "Double 2147483648", "80000000"},
      {&Numbers::HexToDec, "fg", "", "fg", 99, cant},
      {&Numbers::HexToDec, std::string(300, 'F'), "", std::string(300, 'F'), 6},
      // Decimal to octal and hexadecimal through a Long (half to even, two's complement).
      {&Numbers::DecToHex, "-1", "String FFFFFFFF", "-1"},
      {&Numbers::DecToHex, " 2.5 ", "String 2", " 2.5 "},
      {&Numbers::DecToHex, "2147483648", "", "2147483648", 6},
      {&Numbers::DecToOct, "-1", "String 37777777777", "-1"},
      // Decimal to binary: the variable ends as the remainder where the loop stopped.
      {&Numbers::DecToBin, "68719476736", "String 1" + std::string(36, '0'), "0"},
      {&Numbers::DecToBin, "922337203685475",
       "String 11010001101101110001011101011000111000100001100011", "0"},
      {&Numbers::DecToBin, "922337203685476", "String " + zeros50, "922337203685476"},
      {&Numbers::DecToBin, "0", "String " + zeros50, "0"},
      {&Numbers::DecToBin, "12.5", "String 1100", "0.5"},
      {&Numbers::DecToBin, "6.123456", "String 110", "0.1235"},
      {&Numbers::DecToBin, "abc", "", "abc", 13},
      {&Numbers::DecToBin, "1e20", "", "1e20", 6},
      // Two steps: the decimal text of the first step stays in the variable, also when
      // the second step fails; first-step errors pass unchanged.
      {&Numbers::BinToOct, "11111111", "String 377", "255"},
      {&Numbers::BinToOct, std::string(32, '1'), "", "4294967295", 6},
      {&Numbers::BinToHex, "11111111", "String FF", "255"},
      {&Numbers::BinToHex, "12", "", "12", 99, cant},
      {&Numbers::OctToBin, "17", "String 1111", "0"},
      {&Numbers::OctToHex, "377", "String FF", "255"},
      {&Numbers::OctToHex, "", "", "", 13},
      {&Numbers::HexToBin, "A", "String 1010", "0"},
      {&Numbers::HexToBin, "4000000000000", "", "1.12589990684262E+15", 6},
      {&Numbers::HexToOct, "ff", "String 377", "255"},
      {&Numbers::HexToOct, "80000000", "", "2147483648", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 60));
    std::string after;
    try {
      EXPECT_EQ(show(run(c.fn, c.input, after)), c.result);
      EXPECT_EQ(c.error, 0);
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error);
      if (c.description) {
        EXPECT_EQ(e.description(), c.description);
      }
    }
    EXPECT_EQ(after, c.after);
  }
  // Fifty binary digits stay exact in a Double.
  String ones(50, u'1');
  EXPECT_EQ(numbers->BinToDec(ones).dbl(), 1125899906842623.0);
}

TEST_F(NumbersTest, RandomIdentifiersUseTheWholeChosenAlphabet) {
  const std::vector<std::pair<Long, std::string>> alphabets = {
      {zvBinaryBase, "01"},
      {zvOctalBase, "01234567"},
      {zvDecimalBase, "0123456789"},
      {zvHexidecimalBase, "ABCDEF0123456789"},
      {zvAlphaNumericBase, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"},
  };
  for (auto [base, alphabet] : alphabets) {
    SCOPED_TRACE(alphabet);
    std::string id = u8(randomId(2000, base).string());
    EXPECT_EQ(id.size(), 2000u);
    EXPECT_EQ(id.find_first_not_of(alphabet), std::string::npos);
    // Every position is reachable, the first and the last too.
    EXPECT_EQ(std::set<char>(id.begin(), id.end()).size(), alphabet.size());
  }
  // Consecutive calls and separate instances draw different identifiers.
  Integer digits = 32;
  Long base = zvAlphaNumericBase;
  EXPECT_NE(randomId(32, base).string(), randomId(32, base).string());
  EXPECT_NE(randomId(32, base).string(), create<Numbers>()->GenerateRandomID(digits, base).string());
  // No alphabet outside 0 to 4, none for 0 digits; a negative length raises 5 whatever the base.
  for (Long other : {-1, 5}) EXPECT_EQ(show(randomId(8, other)), "String ");
  EXPECT_EQ(show(randomId(0, zvHexidecimalBase)), "String ");
  for (Long any : {0, 7}) {
    try {
      randomId(-1, any);
      ADD_FAILURE() << "no error for base " << any;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 5);
    }
  }
}

TEST_F(NumbersTest, DynamicCallsCoerceWriteBackAndReportTheComponentAsSource) {
  // A number passed to the String parameter arrives as its text and is written back.
  std::vector<Argument> args = {Argument::byReference(Variant(Long{110}))};
  EXPECT_EQ(show(invoke(*numbers, "BinToDec", CallKind::Method, args)), "Integer 6");
  EXPECT_EQ(show(args[0].value), "String 0");
  args = {Argument::byReference(Variant(u"FFFF"))};
  EXPECT_EQ(show(invoke(*numbers, methodId(0x0B), CallKind::Method, args)), "Long 65535");
  args = {Argument::byReference(Variant(u"102"))};
  try {
    invoke(*numbers, "BinToOct", CallKind::Method, args);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 99);
    EXPECT_EQ(e.description(), "Can't Convert.");
    EXPECT_EQ(e.source(), "VQZavrinStudio.ZSNumbers");
  }
  // BaseX omitted: a decimal identifier; a text NumDigits is coerced and written back.
  args = {Argument::byReference(Variant(u"12"))};
  String id = invoke(*numbers, "generaterandomid", CallKind::Method, args).string();
  EXPECT_EQ(id.size(), 12u);
  EXPECT_EQ(id.find_first_not_of(u"0123456789"), String::npos);
  EXPECT_EQ(show(args[0].value), "Integer 12");
}

}  // namespace
}  // namespace zs
