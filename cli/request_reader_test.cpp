#include "cli/request_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/host.h"
#include "core/error.h"

namespace zs::cli {
namespace {

using nlohmann::json;

struct Outcome {
  int number = 0;  // 0: read
  std::string description;
  Request request;
};

Outcome read(std::string_view line) {
  Outcome out;
  try {
    readRequest(line, out.request);
  } catch (const Error& e) {
    out.number = e.number();
    out.description = e.description();
  }
  return out;
}

std::string nested(int levels, std::string_view inner = "") {
  return std::string(levels, '[') + std::string(inner) + std::string(levels, ']');
}

TEST(RequestReader, KeepsTheKnownFieldsAndTheIdAsText) {
  const Outcome o = read(
      R"( {"op" : "invoke", "\u0069d" : [ 1 , {"a" : "\u00e9 x"} , 1.50e3 ], "handle":7,)"
      R"("zz":{"deep":[1,2,{"x":null}]}, "member":"B\u00e9", "kind":["get"],)"
      R"("args":[{"type":"String","value":"x","byref":true,"note":[1]},{"missing":true},3]} )");
  ASSERT_EQ(o.number, 0) << o.description;
  const Request& r = o.request;
  EXPECT_EQ(r.id, R"([1,{"a":"\u00e9 x"},1.50e3])");  // blanks gone, the rest as written
  EXPECT_EQ(*r.get(Field::Op), "invoke");
  EXPECT_EQ(*r.get(Field::Handle), 7);
  EXPECT_TRUE(r.get(Field::Handle)->is_number_unsigned());
  EXPECT_EQ(*r.get(Field::Member), "B\xC3\xA9");
  EXPECT_EQ(*r.get(Field::Kind), json::array());  // only its kind is kept
  EXPECT_EQ(r.get(Field::Class), nullptr);
  EXPECT_EQ(*r.get(Field::Args), json::parse(R"([{"type":"String","value":"x","byref":true},
                                                  {"missing":true},3])"));
  EXPECT_FALSE(r.tooManyArguments);
}

TEST(RequestReader, NumbersKeepTheirKind) {
  struct Case {
    const char* text;
    json value;
  };
  const Case cases[] = {
      {"5", json(std::uint64_t{5})},
      {"-5", json(std::int64_t{-5})},
      {"-0", json(std::int64_t{0})},
      {"18446744073709551615", json(std::uint64_t{18446744073709551615u})},
      {"-9223372036854775808", json(std::int64_t{INT64_MIN})},
      {"18446744073709551616", json(18446744073709551616.0)},  // beyond 64 bits: a double
      {"2.5", json(2.5)},
      {"1E2", json(100.0)},
      {"1e-400", json(0.0)},  // below the smallest double: zero, not an overflow
      {"-1e-400", json(-0.0)},
      {"1.7976931348623157e308", json(1.7976931348623157e308)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Outcome o = read(std::string(R"({"count":)") + c.text + "}");
    ASSERT_EQ(o.number, 0) << o.description;
    EXPECT_EQ(*o.request.get(Field::Count), c.value);
    EXPECT_EQ(o.request.get(Field::Count)->type(), c.value.type());
  }
}

TEST(RequestReader, FaultsAreNumberedAndDescribedInTheHostsOwnWords) {
  struct Case {
    std::string line;
    int number;
    std::string id;  // as read before the fault
  };
  const Case cases[] = {
      {"", 5, "null"},
      {"{", 5, "null"},
      {R"({"id":1,)", 5, "1"},
      {R"({"id":1,"op":"x",})", 5, "1"},
      {R"({"id":1 "op":"x"})", 5, "1"},
      {R"({"id":1,"op" "x"})", 5, "1"},
      {R"({"id":1,op:"x"})", 5, "1"},
      {R"({"id":1}x)", 5, "1"},
      {R"({"id":1}{})", 5, "1"},
      {R"({"id":[1,]})", 5, "null"},
      {R"({"id":01})", 5, "0"},
      {R"({"x":1.})", 5, "null"},
      {R"({"x":.5})", 5, "null"},
      {R"({"x":-})", 5, "null"},
      {R"({"x":1e})", 5, "null"},
      {R"({"x":+1})", 5, "null"},
      {R"({"x":tru})", 5, "null"},
      {R"({"x":NaN})", 5, "null"},
      {"{\"x\":\"a\tb\"}", 5, "null"},           // raw control character
      {R"({"x":"\x"})", 5, "null"},             // unknown escape
      {R"({"x":"\u12G4"})", 5, "null"},
      {R"({"x":"\ud800"})", 5, "null"},          // lone high surrogate
      {R"({"x":"\ud800\u0041"})", 5, "null"},
      {R"({"x":"\udc00"})", 5, "null"},          // lone low surrogate
      {"{\"x\":\"\xC0\x80\"}", 5, "null"},       // overlong
      {"{\"x\":\"\xED\xA0\x80\"}", 5, "null"},   // a surrogate in UTF-8
      {"{\"x\":\"\xF4\x90\x80\x80\"}", 5, "null"},  // beyond U+10FFFF
      {"{\"x\":\"\xE2\x82\"}", 5, "null"},       // cut short
      {"{\"x\":\"\xFF\"}", 5, "null"},
      {std::string("{\"x\":1\0}", 8), 5, "null"},
      {R"("just a string")", 5, "null"},        // not an object
      {R"([{"id":1}])", 5, "null"},
      {R"({"id":1,"count":1e400})", 6, "1"},     // beyond a double where the request uses it
      {R"({"count":-1e400,"id":2})", 6, "2"},
      {R"({"args":[{"type":"Long","value":)" + std::string(400, '9') + "}],\"id\":3}", 6, "3"},
      {R"({"count":1e400,"id":4,})", 5, "4"},    // a syntax fault wins
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Outcome o = read(c.line);
    EXPECT_EQ(o.number, c.number) << o.description;
    EXPECT_EQ(o.request.id, c.id);
    EXPECT_EQ(o.description.find("json"), std::string::npos) << o.description;
    if (c.number == 5 && c.line.find("just") == std::string::npos && c.line[0] != '[') {
      EXPECT_EQ(o.description.rfind("Malformed request: ", 0), 0u) << o.description;
    }
  }
}

TEST(RequestReader, NumbersAreRangeCheckedOnlyWhereTheyAreKept) {
  const Outcome o = read(R"({"id":1e400,"op":"x","zz":[1e99999,-1e400]})");
  ASSERT_EQ(o.number, 0) << o.description;
  EXPECT_EQ(o.request.id, "1e400");  // echoed as written
}

TEST(RequestReader, NestingStopsAtSixtyFourLevels) {
  // The request object is the first level.
  for (const auto& [inner, levels] : {std::pair{R"("op":)", 63}, std::pair{R"("zz":)", 63},
                                      std::pair{R"("args":)", 63}, std::pair{R"("id":)", 63}}) {
    SCOPED_TRACE(inner);
    const std::string deepest = "{" + std::string(inner) + nested(levels, "{}") + "}";
    const std::string fits = "{" + std::string(inner) + nested(levels) + "}";
    EXPECT_EQ(read(fits).number, 0) << read(fits).description;
    const Outcome o = read(deepest);
    EXPECT_EQ(o.number, 5);
    EXPECT_NE(o.description.find("nested deeper than 64 levels"), std::string::npos) << o.description;
  }
  EXPECT_EQ(read(nested(64)).description, "A request must be a JSON object");
  EXPECT_EQ(read(nested(65)).number, 5);
  EXPECT_NE(read(nested(100000)).description.find("nested deeper"), std::string::npos);
}

TEST(RequestReader, ArgumentsBeyondTheLimitAreDroppedAndReported) {
  std::string line = R"({"args":[)";
  for (std::size_t i = 0; i <= Request::kMaxArguments; ++i) line += R"({"type":"Empty"},)";
  line += "{}]}";
  const Outcome o = read(line);
  ASSERT_EQ(o.number, 0) << o.description;
  EXPECT_TRUE(o.request.tooManyArguments);
  EXPECT_EQ(o.request.get(Field::Args)->size(), Request::kMaxArguments);
}

TEST(RequestReader, ByteOrderMarkAndBlanksAroundTheObject) {
  const Outcome o = read("\xEF\xBB\xBF \t{\"id\" : \"a\\\"b\" }\r ");
  ASSERT_EQ(o.number, 0) << o.description;
  EXPECT_EQ(o.request.id, R"("a\"b")");
}

TEST(RequestReader, HostileLineOfEmptyObjectsIsReadWhole) {
  // The longest line the host takes, millions of empty objects in a field the
  // request does not use: a reader that rescans its container after each
  // object would take hours here, and the test's time limit would end it.
  std::string line = R"({"id":1,"op":"x","zz":[)";
  while (line.size() + 7 < Host::kMaxLineBytes) line += "{},";
  line += "{}]}";
  const Outcome o = read(line);
  ASSERT_EQ(o.number, 0) << o.description;
  EXPECT_EQ(o.request.id, "1");
}

}  // namespace
}  // namespace zs::cli
