// The dynamic layer: argument passing, optional parameters, write-back and
// the errors a caller gets when it calls wrongly.
#include "core/dispatch.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

class Probe : public Object {
 public:
  const ClassInfo* classInfo() const override;

  Long level = 7;
  String label;
  Variant lastVariant;
};

Probe& probe(Object& o) { return static_cast<Probe&>(o); }

const MemberTable& probeMembers() {
  static const MemberTable table = std::vector<Member>{
      // Appends "!" to its by-reference text and returns the new length.
      {"Shout", methodId(0), MemberKind::Method, {ref("Text", t::String)}, t::Long,
       [](Object&, std::span<Variant> a) {
         a[0].string() += u"!";
         return Variant(static_cast<Long>(a[0].string().size()));
       }},
      // Writes its argument, then fails: the write must still reach the caller.
      {"WriteThenFail", methodId(1), MemberKind::Method, {ref("Out", t::Long)}, t::Void,
       [](Object&, std::span<Variant> a) -> Variant {
         a[0].lng() = 42;
         raise(err::kInvalidCall);
       }},
      {"Optionals", methodId(2), MemberKind::Method,
       {in("Required", t::Integer), optionalIn("NoDefault", t::Long),
        optionalIn("WithDefault", t::String, Variant(String(u"dflt"))),
        optionalIn("Any", t::Variant)},
       t::String,
       [](Object& o, std::span<Variant> a) {
         probe(o).lastVariant = a[3];
         return Variant(toText(a[0]) + u"|" + toText(a[1]) + u"|" + a[2].string());
       }},
      {"Level", propertyId(3), MemberKind::Get, {}, t::Long,
       [](Object& o, std::span<Variant>) { return Variant(probe(o).level); }},
      {"Level", propertyId(3), MemberKind::Let, {in("RHS", t::Long)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         probe(o).level = a[0].lng();
         return Variant();
       }},
      {"Label", fieldId(0), MemberKind::Field, {}, t::String,
       [](Object& o, std::span<Variant>) { return Variant(probe(o).label); },
       [](Object& o, std::span<Variant> a) {
         probe(o).label = a[0].string();
         return Variant();
       }},
  };
  return table;
}

const ClassBinding kProbeBinding{probeMembers, nullptr};
const ClassInfo kProbeInfo{"Probe", ClassKind::Global, "", "", "", 0, "", &kProbeBinding};
const ClassInfo* Probe::classInfo() const { return &kProbeInfo; }

TEST(Dispatch, ByReferenceArgumentArrivesConvertedAndIsWrittenBackConverted) {
  Probe p;
  std::vector<Argument> args{Argument::byReference(Variant(Long{5}))};
  Variant r = invoke(p, "shout", CallKind::Method, args);
  EXPECT_EQ(r.lng(), 2);
  ASSERT_EQ(args[0].value.kind(), Kind::String);
  EXPECT_EQ(args[0].value.string(), u"5!");

  // The same value passed by value is not written back.
  std::vector<Argument> byValue{Argument::byValue(Variant(Long{5}))};
  invoke(p, methodId(0), CallKind::Method, byValue);
  EXPECT_EQ(byValue[0].value.lng(), 5);
}

TEST(Dispatch, WritesBeforeAnErrorReachTheCallerAndTheErrorNamesItsSource) {
  Probe p;
  std::vector<Argument> args{Argument::byReference(Variant(String(u"1")))};
  try {
    invoke(p, "WriteThenFail", CallKind::Method, args);
    FAIL() << "expected an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 5);
    EXPECT_EQ(e.description(), "Invalid procedure call or argument");
    EXPECT_EQ(e.source(), "VQZavrinStudio.Probe");
    EXPECT_EQ(e.hresult(), 0x800A0005u);
  }
  EXPECT_EQ(args[0].value.lng(), 42);
}

TEST(Dispatch, OmittedOptionalsTakeTheirDefaultsOrTheZeroOfTheirType) {
  Probe p;
  struct Case {
    std::vector<Argument> args;
    String expected;
  };
  std::vector<Case> cases = {
      {{Argument::byValue(Variant(Integer{1}))}, u"1|0|dflt"},
      {{Argument::byValue(Variant(Integer{1})), Argument::byValue(Variant(Long{0}))}, u"1|0|dflt"},
      {{Argument::byValue(Variant(Integer{1})), Argument::omitted(),
        Argument::byValue(Variant(String(u"x")))},
       u"1|0|x"},
      {{Argument::byValue(Variant(String(u" 2 "))), Argument::byValue(Variant(2.5))}, u"2|2|dflt"},
  };
  for (auto& c : cases) EXPECT_EQ(invoke(p, "Optionals", CallKind::Method, c.args).string(), c.expected);
  EXPECT_TRUE(p.lastVariant.isMissing());
  std::vector<Argument> withEmpty{Argument::byValue(Variant(Integer{1})), Argument::omitted(),
                                  Argument::omitted(), Argument::byValue(Variant())};
  invoke(p, "Optionals", CallKind::Method, withEmpty);
  EXPECT_TRUE(p.lastVariant.isEmpty());
}

TEST(Dispatch, CallerMistakesRaiseTheirStandardErrors) {
  Probe p;
  auto call = [&](std::string_view name, std::vector<Argument> args, CallKind kind = CallKind::Method) {
    return errorOf([&] { invoke(p, name, kind, args); });
  };
  EXPECT_EQ(call("Optionals", {}), 449);
  EXPECT_EQ(call("Optionals", {Argument::omitted()}), 449);
  EXPECT_EQ(call("Optionals", std::vector<Argument>(5, Argument::byValue(Variant(Integer{1})))), 450);
  EXPECT_EQ(call("NoSuchMember", {}), 438);
  EXPECT_EQ(call("Optionals", {Argument::byValue(Variant(String(u"abc")))}), 13);
  EXPECT_EQ(call("Optionals", {Argument::byValue(Variant::null())}), 94);
  EXPECT_EQ(call("Optionals", {Argument::byValue(Variant(Long{40000}))}), 6);
  EXPECT_EQ(call("Shout", {}, CallKind::Let), 438);

  // Every error the dispatcher raises itself names the class as its source.
  for (std::size_t count : {0u, 5u}) {
    std::vector<Argument> args(count, Argument::byValue(Variant(Integer{1})));
    try {
      invoke(p, "Optionals", CallKind::Method, args);
      ADD_FAILURE() << count;
    } catch (const Error& e) {
      EXPECT_EQ(e.source(), "VQZavrinStudio.Probe") << e.number();
    }
  }
}

TEST(Dispatch, PropertiesShareOneIdAndFieldsReadAndWrite) {
  Probe p;
  std::vector<Argument> none;
  EXPECT_EQ(invoke(p, propertyId(3), CallKind::Get, none).lng(), 7);
  std::vector<Argument> value{Argument::byValue(Variant(String(u"12")))};
  invoke(p, propertyId(3), CallKind::Let, value);
  EXPECT_EQ(invoke(p, "LEVEL", CallKind::Default, none).lng(), 12);

  std::vector<Argument> text{Argument::byValue(Variant(Double{1.5}))};
  invoke(p, "Label", CallKind::Let, text);
  EXPECT_EQ(invoke(p, fieldId(0), CallKind::Get, none).string(), u"1.5");
}

struct LifeCounter {
  int initialized = 0;
  int terminated = 0;
};

class Lived : public Object {
 public:
  explicit Lived(LifeCounter& c) : counter_(c) {}
  const ClassInfo* classInfo() const override { return &kProbeInfo; }
  void Initialize() override { ++counter_.initialized; }
  void Terminate() override { ++counter_.terminated; }

 private:
  LifeCounter& counter_;
};

TEST(LifeCycle, InitializeAtCreationTerminateAtLastRelease) {
  LifeCounter counter;
  {
    auto object = create<Lived>(counter);
    Variant held{ObjectPtr(object)};
    EXPECT_EQ(counter.initialized, 1);
    object.reset();
    EXPECT_EQ(counter.terminated, 0);
  }
  EXPECT_EQ(counter.terminated, 1);
}

}  // namespace
}  // namespace zs
