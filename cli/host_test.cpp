// The automation host driven through string streams, as a client would.
#include "frame/catalogue.h"
#include "cli/host.h"
#include "cli/request_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/collection.h"
#include "core/error.h"

namespace zs::cli {
namespace {

using nlohmann::json;

// An enumerator over the given values, from a frame Collection.
std::shared_ptr<Enumerator> enumeratorOver(std::initializer_list<Variant> values) {
  auto c = create<Collection>();
  for (const auto& v : values) c->Add(v);
  return c->NewEnum();
}

// A small class of the test's own, adopted into the host.
class Fake : public Object {
 public:
  const ClassInfo* classInfo() const override;
  ObjectPtr child = enumeratorOver({});
};

const MemberTable& fakeMembers() {
  static const MemberTable table = std::vector<Member>{
      // Doubles its by-reference Long and returns the old value.
      {"Twice", methodId(0), MemberKind::Method, {ref("N", t::Long)}, t::Long,
       [](Object&, std::span<Variant> a) {
         const Long old = a[0].lng();
         a[0].lng() = old * 2;
         return Variant(old);
       }},
      // Writes its argument, then fails.
      {"Fail", methodId(1), MemberKind::Method, {ref("Out", t::String)}, t::Void,
       [](Object&, std::span<Variant> a) -> Variant {
         a[0].string() = u"written";
         throw Error(99, "Can't Convert.");
       }},
      {"Child", propertyId(2), MemberKind::Get, {}, t::Object,
       [](Object& o, std::span<Variant>) { return Variant(static_cast<Fake&>(o).child); }},
      {"Echo", methodId(3), MemberKind::Method, {optionalIn("Any", t::Variant)}, t::Variant,
       [](Object&, std::span<Variant> a) { return a[0]; }},
      {"NewEnum", kNewEnumId, MemberKind::Get, {}, t::Unknown,
       [](Object&, std::span<Variant>) {
         return Variant(ObjectPtr(enumeratorOver({Variant(Integer{1}), Variant(String(u"two")), Variant(3.5)})));
       },
       nullptr, true},
  };
  return table;
}

const ClassBinding kFakeBinding{fakeMembers, nullptr};
const ClassInfo kFakeInfo{"Fake", ClassKind::Global, "", "", "", 0, "", &kFakeBinding};
const ClassInfo* Fake::classInfo() const { return &kFakeInfo; }

// Runs the host over `requests` (one per line) and returns the parsed answers.
struct Session {
  std::istringstream in;
  std::ostringstream out;
  Host host{in, out};
  Handle fake = host.adopt(std::make_shared<Fake>());

  std::vector<json> run(const std::string& requests) {
    in.str(requests);
    in.clear();
    out.str("");
    EXPECT_EQ(host.run(), 0);
    std::vector<json> answers;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) answers.push_back(json::parse(line));
    return answers;
  }
  json one(const json& request) {
    auto answers = run(request.dump() + "\n");
    EXPECT_EQ(answers.size(), 1u);
    return answers.empty() ? json() : answers[0];
  }
  // Invokes a member by name on a handle (the test's own object by default).
  json invoke(const char* member, json args = json::array(), json handle = nullptr) {
    return one({{"id", 1}, {"op", "invoke"}, {"handle", handle.is_null() ? json(fake) : handle},
                {"member", member}, {"args", args}});
  }
};

TEST(Host, CreateInvokeReleaseZSNumbersByProgIdClassNameAndClsid) {
  Session s;
  for (const char* cls : {"VQZavrinStudio.ZSNumbers", "zsnumbers", "{AC6F92E3-56D4-4EC5-A124-61D25E0DBAF6}"}) {
    json created = s.one({{"id", 1}, {"op", "create"}, {"class", cls}});
    ASSERT_TRUE(created["ok"]) << created;
    EXPECT_EQ(created["result"]["type"], "Object");
    EXPECT_EQ(created["result"]["class"], "ZSNumbers");
    const auto h = created["result"]["handle"].get<Handle>();

    json byName = s.one({{"id", 2}, {"op", "invoke"}, {"handle", h}, {"member", "BinToDec"},
                         {"args", {{{"type", "String"}, {"value", "101"}, {"byref", true}}}}});
    EXPECT_EQ(byName, json::parse(R"({"id":2,"ok":true,"result":{"type":"Integer","value":5},
                                      "args":[{"type":"String","value":"1"}]})"));
    json byId = s.one({{"id", 3}, {"op", "invoke"}, {"handle", h}, {"dispid", 1610809346},
                       {"args", {{{"type", "String"}, {"value", "11"}}}}});
    EXPECT_EQ(byId["result"], json::parse(R"({"type":"Integer","value":3})"));
    EXPECT_EQ(byId["args"], json::parse("[null]"));  // passed by value

    EXPECT_EQ(s.one({{"id", 4}, {"op", "release"}, {"handle", h}}), json::parse(R"({"id":4,"ok":true})"));
    EXPECT_EQ(s.one({{"id", 5}, {"op", "release"}, {"handle", h}})["error"]["number"], 424);
  }
}

TEST(Host, PredeclaredInstanceKeepsOneHandleAndOnlyApplicationObjectsHaveOne) {
  Session s;
  json request = {{"id", 1}, {"op", "create"}, {"class", "ZSRegistryValues"}, {"predeclared", true}};
  const json first = s.one(request);
  ASSERT_TRUE(first["ok"]) << first;
  EXPECT_EQ(s.one(request)["result"]["handle"], first["result"]["handle"]);
  request["predeclared"] = false;
  EXPECT_NE(s.one(request)["result"]["handle"], first["result"]["handle"]);
  request["class"] = "ZSNumbers";
  request["predeclared"] = true;
  EXPECT_EQ(s.one(request)["error"]["number"], 429);
  request["predeclared"] = "yes";
  EXPECT_EQ(s.one(request)["error"]["number"], 5);
}

TEST(Host, ByReferenceArgumentsAndMissingArguments) {
  Session s;
  json twice = s.one({{"id", "a"}, {"op", "invoke"}, {"handle", s.fake}, {"member", "twice"},
                      {"args", {{{"type", "Integer"}, {"value", 21}, {"byref", true}}}}});
  EXPECT_EQ(twice["id"], "a");
  EXPECT_EQ(twice["result"], json::parse(R"({"type":"Long","value":21})"));
  // The caller's Integer came back converted to the declared Long.
  EXPECT_EQ(twice["args"][0], json::parse(R"({"type":"Long","value":42})"));

  json echo = s.invoke("Echo", {{{"missing", true}}});
  EXPECT_EQ(echo["result"], json::parse(R"({"type":"Error","value":-2147352572})"));
  EXPECT_EQ(echo["args"], json::parse("[null]"));
  EXPECT_EQ(s.invoke("Twice", {{{"missing", true}}})["error"]["number"], 449);
}

TEST(Host, ValuesRoundTripThroughEcho) {
  Session s;
  for (const char* v : {R"({"type":"Empty"})", R"({"type":"Null"})", R"({"type":"Integer","value":-32768})",
                        R"({"type":"Single","value":0.1})", R"({"type":"Double","value":1e+300})",
                        R"({"type":"Single","value":3.4028235e+38})",
                        R"({"type":"Currency","value":"-922337203685477.5808"})",
                        R"({"type":"String","value":"h\u00e9 \"q\" \ud83d\ude00"})",
                        R"({"type":"Boolean","value":true})", R"({"type":"Error","value":-2147352572})",
                        R"({"type":"Object","handle":null})"})
    EXPECT_EQ(s.invoke("Echo", {json::parse(v)})["result"], json::parse(v)) << v;
}

TEST(Host, NumbersAreWrittenInShortestRoundTripForm) {
  Session s;
  s.invoke("Echo", json::parse(R"([{"type":"Single","value":0.1}])"));
  EXPECT_NE(s.out.str().find(R"("value":0.1})"), std::string::npos) << s.out.str();
  s.invoke("Echo", json::parse(R"([{"type":"Currency","value":"7.0000"}])"));
  EXPECT_NE(s.out.str().find(R"("value":"7"})"), std::string::npos) << s.out.str();
}

TEST(Host, ObjectIdentityIsOneHandlePerObject) {
  Session s;
  json a = s.invoke("Child")["result"];
  EXPECT_EQ(a["class"], "Enumerator");
  EXPECT_EQ(s.invoke("Child")["result"]["handle"], a["handle"]);
  EXPECT_NE(a["handle"], s.fake);
  // Passing the handle back in gives the same object back out.
  EXPECT_EQ(s.invoke("Echo", {a})["result"]["handle"], a["handle"]);
  // After a release the object is new to the client again.
  s.one({{"id", 4}, {"op", "release"}, {"handle", a["handle"]}});
  EXPECT_GT(s.invoke("Child")["result"]["handle"].get<Handle>(), a["handle"].get<Handle>());
}

TEST(Host, EnumerationWithNextAndReset) {
  Session s;
  json e = s.one({{"id", 1}, {"op", "invoke"}, {"handle", s.fake}, {"dispid", -4}});
  ASSERT_TRUE(e["ok"]) << e;
  EXPECT_EQ(e["result"]["class"], "Enumerator");
  const auto h = e["result"]["handle"].get<Handle>();
  auto next = [&](std::int64_t count) {
    return s.one({{"id", 2}, {"op", "next"}, {"handle", h}, {"count", count}});
  };
  EXPECT_EQ(next(2)["result"], json::parse(R"([{"type":"Integer","value":1},{"type":"String","value":"two"}])"));
  EXPECT_EQ(next(5)["result"], json::parse(R"([{"type":"Double","value":3.5}])"));
  EXPECT_EQ(next(5)["result"], json::array());
  EXPECT_EQ(s.one({{"id", 3}, {"op", "reset"}, {"handle", h}}), json::parse(R"({"id":3,"ok":true})"));
  // A huge count is fine: only the values that exist are produced.
  EXPECT_EQ(next(std::int64_t{1} << 40)["result"].size(), 3u);
  EXPECT_EQ(next(-1)["error"]["number"], 5);
  // An object that is no enumerator refuses next.
  EXPECT_EQ(s.one({{"id", 5}, {"op", "next"}, {"handle", s.fake}, {"count", 1}})["error"]["number"], 438);
}

TEST(Host, CollectionEnumeratesItsItemsAsTheSameObjects) {
  const ClassInfo* keys = findClass("ZSRegistryKeys");
  if (!keys || !keys->built()) GTEST_SKIP() << "ZSRegistryKeys is not built";
  Session s;
  const json c = s.one({{"id", 1}, {"op", "create"}, {"class", "ZSRegistryKeys"}})["result"]["handle"];
  std::vector<json> added;
  for (const char* name : {"a", "b"})
    added.push_back(s.invoke("Add", {{{"type", "String"}, {"value", name}}}, c)["result"]);
  const auto e = s.one({{"id", 3}, {"op", "invoke"}, {"handle", c}, {"dispid", -4}})["result"]["handle"];
  EXPECT_EQ(s.one({{"id", 4}, {"op", "next"}, {"handle", e}, {"count", 10}})["result"], json(added));
}

TEST(Host, MemberErrorsCarryNumberDescriptionSourceAndWrittenArguments) {
  Session s;
  json failed = s.one({{"id", 7}, {"op", "invoke"}, {"handle", s.fake}, {"member", "Fail"},
                       {"args", {{{"type", "String"}, {"value", ""}, {"byref", true}}}}});
  EXPECT_EQ(failed["ok"], false);
  EXPECT_EQ(failed["id"], 7);
  EXPECT_EQ(failed["error"]["number"], 99);
  EXPECT_EQ(failed["error"]["description"], "Can't Convert.");
  EXPECT_EQ(failed["args"][0]["value"], "written");

  EXPECT_EQ(s.invoke("Nope")["error"]["number"], 438);
  json notBuilt = s.one({{"id", 9}, {"op", "create"}, {"class", "ZSDiskInfoX"}});
  EXPECT_EQ(notBuilt["error"]["number"], 429);
  EXPECT_EQ(notBuilt["error"]["source"], "zavrin serve");
}

TEST(Host, BadRequestsAreAnsweredAndServingGoesOn) {
  struct Case {
    std::string line;
    json id;
    int number;  // 0: served
  };
  const Case cases[] = {
      {R"({"id":1,"op":"invoke","handle":1,"member":)", 1, 5},  // cut short: id still read
      {R"(not json)", nullptr, 5},
      {R"({"id":2})", 2, 5},
      {R"({"id":3,"op":"fly"})", 3, 5},
      {R"({"id":4,"op":"release","handle":"1"})", 4, 5},
      {R"({"id":5,"op":"release","handle":999})", 5, 424},
      {R"({"id":7,"op":"invoke","handle":1})", 7, 5},
      {R"({"id":8,"op":"invoke","handle":1,"member":"Echo","dispid":3})", 8, 5},
      {R"({"id":10,"op":"invoke","handle":1,"member":"Echo","args":{}})", 10, 5},
      {R"({"id":11,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Thing"}]})", 11, 5},
      {R"({"id":12,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Integer","value":40000}]})", 12, 6},
      {R"({"id":14,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Currency","value":"1.23456"}]})", 14, 5},
      {R"({"id":15,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Object","handle":77}]})", 15, 424},
      {"{\"id\":17,\"op\":\"create\",\"class\":\"\xff\"}", 17, 5},  // not UTF-8
      {R"({"id":18,"op":"next","handle":1,"count":"2"})", 18, 5},
      // Numbers beyond a Double are an overflow, wherever the request uses them.
      {R"({"id":19,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Double","value":1e400}]})", 19, 6},
      {R"({"id":20,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Long","value":-1)" +
           std::string(400, '0') + "}]}", 20, 6},
      {R"({"id":21,"op":"next","handle":1e999,"count":1})", 21, 6},
      {R"({"id":22,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Double","value":1e-999}]})", 22, 0},
  };
  std::string input;
  for (const auto& c : cases) input += c.line + "\n";
  input += std::string(200, '[') + "\n";                         // too deep
  input += "\n   \n";                                            // blank lines: no answer
  input += R"({"id":99,"op":"invoke","handle":1,"member":"Twice","args":[{"type":"Long","value":2}]})";
  Session s;
  auto answers = s.run(input);
  ASSERT_EQ(answers.size(), std::size(cases) + 2);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].line.substr(0, 120));
    EXPECT_EQ(answers[i]["id"], cases[i].id);
    if (cases[i].number == 0) {
      EXPECT_EQ(answers[i]["ok"], true) << answers[i];
      continue;
    }
    EXPECT_EQ(answers[i]["ok"], false);
    EXPECT_EQ(answers[i]["error"]["number"], cases[i].number);
    const auto description = answers[i]["error"]["description"].get<std::string>();
    EXPECT_FALSE(description.empty());
    EXPECT_EQ(description.find("json"), std::string::npos) << description;  // never the library's text
    EXPECT_EQ(answers[i]["error"]["source"], "zavrin serve");
  }
  EXPECT_EQ(answers[std::size(cases)]["error"]["number"], 5);
  EXPECT_EQ(answers.back()["result"]["value"], 2);  // and the host still serves
}

TEST(Host, RequestsNestAtMostSixtyFourLevels) {
  Session s;
  // The request object is the first level; "args" the second.
  auto line = [](int levels) {
    return R"({"id":1,"op":"invoke","handle":1,"member":"Echo","args":[{"type":"Empty","x":)" +
           std::string(levels - 3, '[') + std::string(levels - 3, ']') + "}]}";
  };
  EXPECT_EQ(json::parse(s.host.answer(line(64)))["ok"], true);
  const json deeper = json::parse(s.host.answer(line(65)));
  EXPECT_EQ(deeper["error"]["number"], 5);
  EXPECT_NE(deeper["error"]["description"].get<std::string>().find("nested deeper than 64 levels"),
            std::string::npos) << deeper;
}

TEST(Host, MoreArgumentsThanAnyMemberTakesAreRefused) {
  Session s;
  std::string args;
  for (std::size_t i = 0; i <= Request::kMaxArguments; ++i) args += R"({"type":"Empty"},)";
  args.pop_back();
  const json answer = json::parse(s.host.answer(
      R"({"id":1,"op":"invoke","handle":1,"member":"Echo","args":[)" + args + "]}"));
  EXPECT_EQ(answer["error"]["number"], 450) << answer;
}

TEST(Host, OverlongLineIsRefusedAndTheNextOneServed) {
  Session s;
  std::string input = "{\"id\":1,\"x\":\"" + std::string(Host::kMaxLineBytes, 'a') + "\"}\n";
  input += R"({"id":2,"op":"reset","handle":1})";
  auto answers = s.run(input);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0]["error"]["number"], 5);
  EXPECT_EQ(answers[1]["id"], 2);
}

// Output that records what had been written at each flush that had something
// new to send.
class RecordingOutput : public std::stringbuf {
 public:
  int flushes = 0;
  std::string flushed;

 protected:
  int sync() override {
    if (str() != flushed) ++flushes;
    flushed = str();
    return 0;
  }
};

// Input that arrives one piece at a time: a piece becomes readable only when
// everything before it has been read, as from a client waiting for answers.
class PiecewiseInput : public std::streambuf {
 public:
  PiecewiseInput(std::vector<std::string> pieces, std::function<void()> waiting)
      : pieces_(std::move(pieces)), waiting_(std::move(waiting)) {}

 protected:
  int_type underflow() override {
    if (next_ == pieces_.size()) return traits_type::eof();
    waiting_();
    std::string& piece = pieces_[next_++];
    setg(piece.data(), piece.data(), piece.data() + piece.size());
    return traits_type::to_int_type(piece[0]);
  }

 private:
  std::vector<std::string> pieces_;
  std::size_t next_ = 0;
  std::function<void()> waiting_;
};

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Host, PipelinedRequestsAreAnsweredWithOneFlush) {
  std::istringstream in(R"({"id":1,"op":"reset","handle":1}
{"id":2,"op":"reset","handle":1}
{"id":3,"op":"reset","handle":1}
)");
  RecordingOutput buffer;
  std::ostream out(&buffer);
  Host host(in, out);
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(lineCount(buffer.str()), 3u);
  EXPECT_EQ(buffer.flushes, 1);
}

TEST(Host, EveryAnswerIsOutBeforeTheHostWaitsForMoreInput) {
  RecordingOutput buffer;
  std::vector<std::size_t> outBeforeWaiting;
  // The second piece holds half a request: its answer must not be awaited.
  PiecewiseInput pieces({R"({"id":1,"op":"reset","handle":1})" "\n",
                         R"({"id":2,"op":"reset",)" "\n" R"({"id":3,"op")",
                         R"(:"reset","handle":1})" "\n"},
                        [&] { outBeforeWaiting.push_back(lineCount(buffer.flushed)); });
  std::istream in(&pieces);
  std::ostream out(&buffer);
  Host host(in, out);
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(outBeforeWaiting, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(lineCount(buffer.flushed), 3u);
}

TEST(Host, FailedOutputEndsServingWithStatusOne) {
  struct Broken : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
  } broken;
  std::istringstream in(std::string(3, '\n') + R"({"id":1,"op":"reset","handle":1})" "\n");
  std::ostream out(&broken);
  Host host(in, out);
  EXPECT_EQ(host.run(), 1);
}

TEST(Host, EndOfSessionReleasesEveryObjectAndBreaksCycles) {
  std::vector<std::weak_ptr<Object>> watched;
  {
    Session s;
    auto make = [&](const char* cls) {
      const json created = s.one({{"id", 1}, {"op", "create"}, {"class", cls}});
      EXPECT_TRUE(created["ok"]) << created;
      return created["result"];
    };
    auto call = [&](const char* member, const json& target, json args) {
      const json answer = s.invoke(member, std::move(args), target["handle"]);
      EXPECT_TRUE(answer["ok"]) << member << " " << answer;
      return answer["result"];
    };
    // A Collection holding itself and its own enumerator, released by the client.
    const json c = make("Collection");
    call("Add", c, {c});
    const json e = s.one({{"id", 2}, {"op", "invoke"}, {"handle", c["handle"]}, {"dispid", -4}})["result"];
    call("Add", c, {e});
    // An enumerator whose collection is gone, holding itself through the storage.
    const json c2 = make("Collection");
    const json e2 = s.one({{"id", 3}, {"op", "invoke"}, {"handle", c2["handle"]}, {"dispid", -4}})["result"];
    call("Add", c2, {e2});
    // A stack and a list holding themselves; an item holding its own collection.
    const json stack = make("ZSStack");
    call("Push", stack, {stack});
    const json list = make("ZSLinkedList");
    call("Add", list, {list});
    const json values = make("ZSRegistryValues");
    call("Add", values, {{{"type", "String"}, {"value", "v"}}, values, {{"type", "Long"}, {"value", 1}}});

    for (const json& held : {c, e, c2, e2, stack, list, values})
      watched.push_back(s.host.handles().get(held["handle"].get<Handle>()));
    for (const json& released : {c, e, c2, e2})
      s.one({{"id", 4}, {"op", "release"}, {"handle", released["handle"]}});
  }
  for (std::size_t i = 0; i < watched.size(); ++i) EXPECT_TRUE(watched[i].expired()) << i;
}

}  // namespace
}  // namespace zs::cli
