// The repl's statements run in a session: objects kept across lines,
// by-reference write-back, errors that leave the session going, blocks over
// several lines, syntax errors, and completion.
#include "cli/repl_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/repl_completion.h"

namespace zs::cli::repl {
namespace {

struct Transcript {
  std::string out, err;
  int status;
};

Transcript run(std::string_view script, ViewLimits limits = {}) {
  std::ostringstream out, err;
  Session session(out, err, limits, true);
  std::istringstream lines{std::string(script)};
  for (std::string line; std::getline(lines, line);)
    if (session.feed(line) == Session::Feed::Quit) break;
  const int status = session.finish();
  return {out.str(), err.str(), status};
}

TEST(Repl, ObjectsLiveAcrossLinesAndVariablesTakeWhatCallsWrite) {
  const Transcript r = run(
      "set n = ZSNumbers\n"
      "s = \"11111111\"\n"
      "n.BinToHex s\n"
      "? s\n"
      "? n.BinToDec(\"101\")\n"
      "set keys = New ZSRegistryKeys\n"
      "keys.Add \"first\"\n"
      "keys.Add \"second\", \"k2\"\n"
      "keys(1).KeyNames = \"renamed\"\n"
      "? keys(\"K2\").KeyNames & \"/\" & keys.Item(1).KeyNames\n"
      "? keys.Count + 1\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "String \"FF\"\n"
            "ByRef s = String \"255\"\n"
            "String \"255\"\n"
            "Integer 5\n"
            "Object ZSRegistryKey\n  KeyNames: String \"first\"\n"
            "Object ZSRegistryKey\n  KeyNames: String \"second\"\n"
            "String \"second/renamed\"\n"
            "Long 3\n");
}

TEST(Repl, ForEachBlocksOnOneOrSeveralLines) {
  const Transcript r = run(
      "set keys = new ZSRegistryKeys\n"
      "keys.Add \"a\": keys.Add \"b\"\n"
      "dim seen\n"
      "seen = \"\"\n"
      "for each k in keys\n"
      "  seen = seen & k.KeyNames  ' a comment\n"
      "  for each j in keys: seen = seen & j.KeyNames: next\n"
      "next\n"
      "? seen\n"
      "for each k in keys: ? k.KeyNames: Next k\n");
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("String \"aabbab\"\nString \"a\"\nString \"b\"\n"), std::string::npos) << r.out;
}

TEST(Repl, ErrorsArePrintedWithTheirLineAndTheSessionGoesOn) {
  std::string longChain = "? 1";
  for (int i = 0; i < 1001; ++i) longChain += " + 1";
  const struct {
    std::string line;
    const char* error;
  } cases[] = {
      {longChain, "Error 1002: Syntax error: too many operators in one statement"},
      {"? " + std::string(101, '(') + "1" + std::string(101, ')'), "Error 1002: Syntax error: nested too deeply"},
      {"n.HexToDec \"G\"", "Error 99: "},
      {"? nope", "Error 500: Variable is undefined: 'nope'"},
      {"? n.NoSuchMember", "Error 438: "},
      {"? (1", "Error 1002: Syntax error: expected ')' after the expression"},
      {"? \"open", "Error 1002: Syntax error: the text has no closing quote"},
      {"next", "Error 1002: Syntax error: Next without For Each"},
      {"set x = 5", "Error 424: "},
      {"for each k in n: next", "Error 451: Object not a collection"},
      {"zvString = 1", "Error 5: 'zvString' is a constant"},
      {"? CLng(\"x\")", "Error 13: "},
      {"set 5 = n", "Error 1002: Syntax error: only a variable or a property can be assigned"},
      {"5 = 6", "Error 1002: Syntax error: expected the end of the statement, found '='"},
      {":frobnicate", "Error 5: Unknown command :frobnicate"},
      {"? 1 $ 2", "Error 1002: Syntax error: unexpected character '$'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 40));
    const Transcript r = run("set n = ZSNumbers\n" + c.line + "\n? n.BinToDec(\"11\")\n");
    EXPECT_EQ(r.err.rfind(std::string("Line 2: ") + c.error, 0), 0u) << r.err;
    EXPECT_TRUE(r.out.ends_with("Integer 3\n")) << r.out;  // the session went on
    EXPECT_EQ(r.status, 1);
  }
}

TEST(Repl, ConstantsByNameAreCheckedAgainstTheParameter) {
  const Transcript r = run(
      "set r = ZSRegistry\n"
      "? zvHKEY_CURRENT_USER\n"
      "? ZVhexidecimalBASE\n"
      "r.ListKeys zvHexidecimalBase, \"Software\"\n"
      "r.ListKeys zvNoSuchRoot, \"Software\"\n");
  EXPECT_EQ(r.out, "Long -2147483647\nLong 3\n");
  EXPECT_NE(r.err.find("Line 4: Error 5: zvHexidecimalBase is a constant of ZSNumbersConstants; "
                       "parameter hKey takes ZSRegistryHKeyConstants"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("Line 5: Error 5: 'zvNoSuchRoot' is not a constant; parameter hKey"),
            std::string::npos)
      << r.err;
}

TEST(Repl, WriteBackIsShownAlsoWhenTheCallFails) {
  // The Long reaches BinToDec as the String its parameter declares, and the
  // variable keeps it although the conversion then fails.
  const Transcript r = run("d = 102\nset n = ZSNumbers\nn.BinToDec d\n? TypeName(d)\n");
  EXPECT_EQ(r.out, "ByRef d = String \"102\"\nString \"String\"\n");
  EXPECT_EQ(r.err.rfind("Line 3: Error ", 0), 0u) << r.err;
}

TEST(Repl, AnOpenBlockAsksForMoreAndIsReportedAtTheEnd) {
  std::ostringstream out, err;
  Session session(out, err, {}, false);
  EXPECT_EQ(session.feed("set c = new Collection"), Session::Feed::Ran);
  EXPECT_EQ(session.feed("for each x in c"), Session::Feed::NeedMore);
  EXPECT_TRUE(session.pending());
  EXPECT_EQ(session.feed("  ? x"), Session::Feed::NeedMore);
  EXPECT_EQ(session.finish(), 1);
  EXPECT_EQ(err.str(), "Error 1002: Syntax error: For Each without Next at the end of the input (source: zavrin repl)\n");
  EXPECT_EQ(session.feed("exit"), Session::Feed::Quit);
  EXPECT_EQ(session.feed(":quit"), Session::Feed::Quit);
}

TEST(Repl, CompletesClassesMembersConstantsAndVariables) {
  std::ostringstream out, err;
  Session session(out, err, {}, false);
  session.feed("set numbers = ZSNumbers");
  session.feed("set keys = new ZSRegistryKeys");
  const struct {
    const char* before;
    std::size_t start;
    std::vector<std::string> offers;
  } cases[] = {
      {"set r = ZSRegistryK", 8, {"ZSRegistryKey", "ZSRegistryKeys"}},
      {"? numbers.bintod", 10, {"BinToDec"}},
      {"keys.", 5, {"Add", "Count", "Item", "Remove"}},
      {"ZSNumbers.HexToB", 10, {"HexToBin"}},
      {"x = r.ListKeys(zvHKEY_CURRENT_U", 15, {"zvHKEY_CURRENT_USER"}},
      {"? num", 2, {"numbers"}},
      {"for ea", 4, {"Each"}},
      {":mem", 1, {"members"}},
      {":members ZSStac", 9, {"ZSStack"}},
      {"? \"ZSNu", 7, {}},
      {"unknown.", 8, {}},
      {"keys(1).", 8, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    const Completion got = complete(session, c.before);
    EXPECT_EQ(got.start, c.start);
    EXPECT_EQ(got.candidates, c.offers);
  }
}

}  // namespace
}  // namespace zs::cli::repl
