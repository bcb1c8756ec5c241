// The automation view of member tables: how members become interface
// functions, and how types and defaults are spelled in the type library.
#include <gtest/gtest.h>

#include "server/idlgen/catalogue_dump.h"
#include "server/idlgen/idl_writer.h"
#include "server/idlgen/interface_model.h"
#include "server/idlgen/stub_writer.h"

namespace zs::idl {
namespace {

Variant noop(Object&, std::span<Variant>) { return {}; }

const MemberTable& fakeMembers() {
  static const MemberTable table = std::vector<Member>{
      {"Name", fieldId(0), MemberKind::Field, {}, t::String, noop, noop},
      {"Data", fieldId(1), MemberKind::Field, {}, t::Variant, noop, noop},
      {"Size", propertyId(2), MemberKind::Get, {}, t::Long, noop},
      {"Size", propertyId(2), MemberKind::Let, {in("Value", t::Long)}, t::Void, noop},
      {"Item", kDefaultMemberId, MemberKind::Get, {ref("Index", t::Variant)}, t::Object, noop},
      {"NewEnum", kNewEnumId, MemberKind::Get, {}, t::Unknown, noop, nullptr, true},
      {"Run", methodId(3), MemberKind::Method,
       {ref("Count", t::Integer), optionalRef("Base", t::enumOf("FakeConstants"), Variant(Long{2}))},
       t::Variant, noop},
  };
  return table;
}

const ClassBinding kFakeBinding{fakeMembers, nullptr, nullptr};
const ClassInfo kFake{"ZSFake", ClassKind::Item, "C1", "I1", "", 0, "fake", &kFakeBinding};

TEST(InterfaceModel, MembersBecomeFunctionsInTableOrder) {
  struct Expected {
    std::string name;
    DispId id;
    Access access;
    CallKind call;
    std::size_t params;
  };
  const std::vector<Expected> expected = {
      {"Name", fieldId(0), Access::PropGet, CallKind::Get, 0},
      {"Name", fieldId(0), Access::PropPut, CallKind::Let, 1},
      {"Data", fieldId(1), Access::PropGet, CallKind::Get, 0},
      {"Data", fieldId(1), Access::PropPut, CallKind::Let, 1},
      {"Data", fieldId(1), Access::PropPutRef, CallKind::Set, 1},  // Variant fields take Set too
      {"Size", propertyId(2), Access::PropGet, CallKind::Get, 0},
      {"Size", propertyId(2), Access::PropPut, CallKind::Let, 1},
      {"Item", 0, Access::PropGet, CallKind::Get, 1},
      {"NewEnum", -4, Access::PropGet, CallKind::Get, 0},
      {"Run", methodId(3), Access::Func, CallKind::Method, 2},
  };
  const auto model = interfaceOf(kFake);
  ASSERT_EQ(model.slots.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(model.slots[i].name, expected[i].name);
    EXPECT_EQ(model.slots[i].dispid, expected[i].id);
    EXPECT_EQ(model.slots[i].access, expected[i].access);
    EXPECT_EQ(model.slots[i].callKind, expected[i].call);
    EXPECT_EQ(model.slots[i].params.size(), expected[i].params);
  }
  EXPECT_TRUE(model.slots[8].hidden);
  EXPECT_EQ(model.slots[1].result, t::Void);  // a put has no result
}

TEST(IdlWriter, TypesAndLiterals) {
  struct Case {
    TypeRef type;
    bool byRef;
    std::string idl;
    std::string c;
  };
  const std::vector<Case> cases = {
      {t::Integer, false, "short", "short"},
      {t::Long, true, "long*", "LONG"},
      {t::String, true, "BSTR*", "BSTR"},
      {t::Boolean, false, "VARIANT_BOOL", "VARIANT_BOOL"},
      {t::Currency, false, "CURRENCY", "CY"},
      {t::Variant, true, "VARIANT*", "VARIANT"},
      {t::Color, false, "OLE_COLOR", "OLE_COLOR"},
      {t::Picture, false, "IPictureDisp*", "IDispatch*"},
      {t::Unknown, false, "IUnknown*", "IUnknown*"},
      {t::objectOf("NoSuchClass"), false, "IDispatch*", "IDispatch*"},
      {t::enumOf("ZSNumbersConstants"), true, "ZSNumbersConstants*", "LONG"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.idl);
    EXPECT_EQ(idlType(c.type, c.byRef), c.idl);
    EXPECT_EQ(cTypeOf(c.type).spelling, c.c);
  }
  EXPECT_EQ(idlLiteral(Variant(u"Please \"choose\""), t::String), "\"Please \\\"choose\\\"\"");
  EXPECT_EQ(idlLiteral(Variant(Integer{1}), t::Integer), "1");
  EXPECT_EQ(idlLiteral(Variant(true), t::Boolean), "-1");
  EXPECT_EQ(idlLiteral(Variant(0.5), t::Double), "0.5");
}

TEST(IdlWriter, EveryExposedClassHasItsCoclassAndInterface) {
  const std::string idl = writeIdl();
  const std::string dump = catalogueDump();
  for (const ClassInfo* c : exposedClasses()) {
    SCOPED_TRACE(std::string(c->name));
    EXPECT_NE(idl.find("coclass " + std::string(c->name) + "\n"), std::string::npos);
    EXPECT_NE(idl.find("interface " + c->interfaceName() + " : IDispatch"), std::string::npos);
    EXPECT_NE(dump.find("coclass " + std::string(c->name) + " {" + std::string(c->clsid) + "}"),
              std::string::npos);
  }
  EXPECT_EQ(idl.find("coclass Collection"), std::string::npos);  // runtime classes stay out
}

}  // namespace
}  // namespace zs::idl
