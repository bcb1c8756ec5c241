// Typed literals, printed values, plain number text, signatures and the
// sub-commands run in-process.
#include "frame/catalogue.h"
#include "cli/literals.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/command_run.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/json_values.h"
#include "cli/plain_numbers.h"
#include "cli/signature.h"
#include "core/error.h"

namespace zs::cli {
namespace {

TEST(Literals, ParseToTypedArguments) {
  const struct {
    const char* text;
    const char* printed;
  } cases[] = {
      {"101", R"(String "101")"},     {"s:empty", R"(String "empty")"}, {"x:5", R"(String "x:5")"},
      {"i:-32768", "Integer -32768"}, {"l:2147483647", "Long 2147483647"},
      {"sg:0.1", "Single 0.1"},       {"d:-1e-3", "Double -0.001"},
      // The largest Single prints above FLT_MAX's exact value yet reads back.
      {"sg:3.4028235e38", "Single 3.4028235e+38"}, {"sg:-3.4028235e38", "Single -3.4028235e+38"},
      {"c:-922337203685477.5808", "Currency -922337203685477.5808"},
      {"b:TRUE", "Boolean True"},     {"empty", "Empty"},               {"null", "Null"},
      {"nothing", "Nothing"},         {"missing", "Missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Argument a = parseLiteral(c.text);
    EXPECT_EQ(formatValue(a.value), c.printed);
    EXPECT_EQ(a.byRef, std::string_view(c.text) != "missing");
  }
}

TEST(Literals, MalformedOrOutOfRangeRaise) {
  const struct {
    const char* text;
    int number;
  } cases[] = {
      {"i:32768", 6}, {"i:", 5},       {"i:1.5", 5},     {"i:+-1", 5},     {"d:nan", 5},
      {"d:1e999", 6}, {"sg:1e39", 6},  {"sg:3.4028236e38", 6}, {"c:1.23456", 5}, {"c:922337203685477.5808", 6},
      {"c:.", 5},     {"b:yes", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(errorOf([&] { parseLiteral(c.text); }), c.number);
  }
}

TEST(Literals, ConstantsByNameCheckedAgainstTheParameter) {
  const ClassInfo& registry = classInfo(ClassId::ZSRegistry);
  const Member* listKeys = findMember(registry, "ListKeys", CallKind::Method);
  ASSERT_NE(listKeys, nullptr);
  const struct {
    const char* hKey;
    const char* printed;
    int error;  // of the check against ListKeys(hKey As ZSRegistryHKeyConstants, ...)
  } cases[] = {
      {"zvHKEY_CURRENT_USER", "Long -2147483647", 0},
      {"ZVhkey_local_MACHINE", "Long -2147483646", 0},
      {"zvHexidecimalBase", "Long 3", 5},     // a constant of another enumeration
      {"zvNoSuchRoot", "String \"zvNoSuchRoot\"", 5},  // a word that names no constant
      {"s:zvHKEY_USERS", "String \"zvHKEY_USERS\"", 0},  // text, as asked
      {"l:-2147483647", "Long -2147483647", 0},
      {"-2147483647", "String \"-2147483647\"", 0},   // a number's text converts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hKey);
    const Literal literals[] = {readLiteral(c.hKey), readLiteral("zvString")};
    EXPECT_EQ(formatValue(literals[0].argument.value), c.printed);
    EXPECT_EQ(errorOf([&] { checkLiterals(*listKeys, literals); }), c.error);
  }
  // A constant for a parameter that is not an enumeration is just its value.
  EXPECT_EQ(formatValue(parseLiteral("zvString").value), "Long 1");
}

TEST(PlainNumbers, CurrencyTextIsLocaleFreeAndExact) {
  EXPECT_EQ(currencyText(Currency::fromScaled(-5000)), "-0.5");
  EXPECT_EQ(currencyText(Currency::fromScaled(INT64_MIN)), "-922337203685477.5808");
  EXPECT_EQ(parseCurrencyText("922337203685477.5807").scaled, INT64_MAX);
  EXPECT_EQ(shortestText(Double{1e300}), "1e+300");
  EXPECT_EQ(shortestText(Single{0.1f}), "0.1");
}

TEST(JsonText, EscapesAndKeepsLoneSurrogatesAsEscapes) {
  EXPECT_EQ(jsonString(StringView(u"a\"b\\c\n\x01")), R"("a\"b\\c\n\u0001")");
  EXPECT_EQ(jsonString(StringView(u"\u00e9\U0001F600")), "\"\xC3\xA9\xF0\x9F\x98\x80\"");
  EXPECT_EQ(jsonString(StringView(u"x\xD800y\xDC00")), R"("x\ud800y\udc00")");
  HandleTable handles;
  EXPECT_EQ(valueJson(Variant(String(u"\xDBFF")), handles), R"({"type":"String","value":"\udbff"})");
  EXPECT_EQ(formatValue(Variant(String(u"\xDBFF"))), R"(String "\udbff")");
}

TEST(Signature, ShowsPassingOptionalsAndDefaults) {
  const ClassInfo& numbers = classInfo(ClassId::ZSNumbers);
  ASSERT_TRUE(numbers.built());
  std::vector<std::string> lines;
  for (const auto& m : numbers.members()) lines.push_back(dispidHex(m.dispid) + " " + signatureText(m));
  EXPECT_EQ(lines[2], "0x60030002 BinToDec(ByRef BinaryValue As String) As Variant");
  EXPECT_EQ(lines.back(),
            "0x6003000C GenerateRandomID(ByRef NumDigits As Integer, Optional ByRef BaseX As "
            "ZSNumbersConstants = 2) As Variant");
  Member field{"KeyNames", fieldId(0), MemberKind::Field, {}, t::String};
  EXPECT_EQ(signatureText(field), "KeyNames As String");
  EXPECT_EQ(dispidHex(kNewEnumId), "0xFFFFFFFC");
}

using testing::Outcome;
using testing::run;

TEST(Commands, CallPrintsResultThenArgumentsAfterTheCall) {
  Outcome r = run({"call", "ZSNumbers", "BinToDec", "101"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Result: Integer 5\nArgument 1: String \"1\"\n");

  // By dispatch id; the Long argument arrives as text and comes back as the String.
  r = run({"call", "VQZavrinStudio.ZSNumbers", "0x60030002", "--kind", "method", "l:101"});
  EXPECT_EQ(r.out, "Result: Integer 5\nArgument 1: String \"1\"\n");

  r = run({"call", "ZSNumbers", "GenerateRandomID", "i:6", "missing"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Argument 2: Missing\n"), std::string::npos);
}

TEST(Commands, ErrorsGoToStandardErrorWithStatus) {
  Outcome r = run({"call", "ZSNumbers", "BinToDec", "102"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("Error ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("(source: VQZavrinStudio.ZSNumbers)"), std::string::npos) << r.err;

  // 1: the call failed; 2: the command line is wrong.
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{"call", "ZSNumbers", "NoSuchMember"}, 1},      {{"call", "ZSNumbers", "BinToDec", "i:99999"}, 1},
      {{"members", "NoSuchClass"}, 1},                 {{"call", "ZSNumbers"}, 2},
      {{"call", "ZSNumbers", "BinToDec", "--kind", "poke"}, 2}, {{"frobnicate"}, 2}, {{}, 2},
  };
  for (const auto& [args, status] : cases) EXPECT_EQ(run(args).status, status) << args.size();
}

TEST(Commands, JsonOutputParsesAndRoundTrips) {
  Outcome r = run({"call", "--json", "ZSNumbers", "BinToDec", "101"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto doc = nlohmann::json::parse(r.out);
  HandleTable handles;
  EXPECT_EQ(doc["ok"], true);
  EXPECT_TRUE(readValue(doc["result"], handles).sameAs(Variant(Integer{5})));
  EXPECT_TRUE(readValue(doc["args"][0], handles).sameAs(Variant(String(u"1"))));

  r = run({"call", "ZSNumbers", "HexToDec", "G", "--json"});
  EXPECT_EQ(r.status, 1);
  doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["ok"], false);
  EXPECT_EQ(doc["error"]["number"], 99);
  EXPECT_EQ(doc["error"]["source"], "VQZavrinStudio.ZSNumbers");
  EXPECT_EQ(doc["args"][0]["value"], "G");
  EXPECT_NE(r.err.find("Error 99"), std::string::npos);

  r = run({"call", "--json", "NoSuchClass", "Member", "i:1"});  // fails before the call
  EXPECT_EQ(r.status, 1);
  doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["error"]["number"], 429);
  EXPECT_TRUE(doc["args"].empty());

  r = run({"call", "ZSRegistryKeys", "Add", "--json", "first", "k"});
  doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["result"]["properties"]["KeyNames"]["value"], "first");

  r = run({"list", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  doc = nlohmann::json::parse(r.out);
  ASSERT_EQ(doc.size(), classes().size());
  EXPECT_EQ(doc[7]["name"], "ZSNumbers");
  EXPECT_EQ(doc[7]["clsid"], "{AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6}");
  EXPECT_EQ(doc[7]["built"], true);
  EXPECT_TRUE(doc.back()["clsid"].is_null());

  r = run({"members", "--json", "ZSNumbers"});
  ASSERT_EQ(r.status, 0) << r.err;
  doc = nlohmann::json::parse(r.out);
  const auto& random = doc["members"].back();
  EXPECT_EQ(random["name"], "GenerateRandomID");
  EXPECT_EQ(random["dispid"], 0x6003000C);
  EXPECT_EQ(random["params"][1]["type"], "ZSNumbersConstants");
  EXPECT_TRUE(readValue(random["params"][1]["default"], handles).sameAs(Variant(Long{2})));
  EXPECT_EQ(doc["enums"][0]["values"][3]["name"], "zvHexidecimalBase");

  // Constants by name on the command line, checked against the member.
  r = run({"call", "ZSNumbers", "GenerateRandomID", "i:4", "zvhexidecimalbase"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Argument 2: Long 3\n"), std::string::npos);
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"call", "ZSNumbers", "GenerateRandomID", "i:4", "zvHKEY_USERS"},
        std::vector<std::string>{"call", "ZSNumbers", "GenerateRandomID", "i:4", "zvOctal"},
        std::vector<std::string>{"call", "ZSRegistry", "ListKeys", "--items", "x", "zvHKEY_USERS"},
        std::vector<std::string>{"call", "--depth=65", "ZSRegistry", "ListKeys", "zvHKEY_USERS", "x"}}) {
    r = run(wrong);
    EXPECT_NE(r.status, 0) << wrong.back();
  }
}

TEST(Commands, ListMembersAndHelp) {
  Outcome list = run({"list"});
  EXPECT_EQ(list.status, 0);
  std::istringstream lines(list.out);
  int classLines = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("ZSNumbers ")) continue;
    ++classLines;
    EXPECT_NE(line.find("control"), std::string::npos);
    EXPECT_NE(line.find("VQZavrinStudio.ZSNumbers"), std::string::npos);
    EXPECT_NE(line.find("{AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6}"), std::string::npos);
    EXPECT_TRUE(line.ends_with("yes")) << line;
  }
  EXPECT_EQ(classLines, 1) << list.out;
  Outcome members = run({"members", "zsnumbers"});
  EXPECT_NE(members.out.find("0x60030002  1610809346  method  BinToDec(ByRef BinaryValue As String) As Variant"),
            std::string::npos)
      << members.out;
  EXPECT_NE(members.out.find("zvHexidecimalBase = 3"), std::string::npos);
  Outcome help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"s:TEXT", "i:N", "l:N", "sg:X", "d:X", "c:X", "b:true", "empty", "null",
                           "missing", "nothing", "zvHKEY_CURRENT_USER", "--json", "repl"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace zs::cli
