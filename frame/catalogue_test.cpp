// The catalogue's identities must stay unique and complete.
#include "frame/catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "core/dispatch.h"
#include "core/enumerator.h"
#include "core/error_testing.h"
#include "frame/factory.h"

namespace zs {
namespace {

TEST(Catalogue, HoldsEveryPublicClassWithUniqueIdentities) {
  std::set<std::string> guids{std::string(library::kLibId)};
  std::set<int> bitmaps;
  int publicClasses = 0, controls = 0;
  for (const auto& c : classes()) {
    if (c.kind == ClassKind::Runtime) continue;
    if (c.name != "ZSVelquorsoft") ++publicClasses;
    for (auto g : {c.clsid, c.iid, c.eventIid}) {
      if (g.empty()) continue;
      EXPECT_EQ(g.size(), 36u) << c.name;
      EXPECT_TRUE(guids.insert(std::string(g)).second) << "duplicate GUID in " << c.name;
    }
    EXPECT_EQ(c.progId(), "VQZavrinStudio." + std::string(c.name));
    if (c.kind == ClassKind::Control) {
      ++controls;
      EXPECT_FALSE(c.eventIid.empty()) << c.name;
      EXPECT_GE(c.toolboxBitmap, 30000);
      EXPECT_LE(c.toolboxBitmap, 30017);
      EXPECT_TRUE(bitmaps.insert(c.toolboxBitmap).second) << c.name;
    } else {
      EXPECT_TRUE(c.eventIid.empty()) << c.name;
      EXPECT_EQ(c.toolboxBitmap, 0) << c.name;
    }
  }
  EXPECT_EQ(publicClasses, 28);
  EXPECT_EQ(controls, 18);
}

TEST(Catalogue, BuiltClassesHaveMembersWithValidIdsAndUniqueSignatures) {
  for (const auto& c : classes()) {
    if (!c.built()) continue;
    std::set<std::pair<std::string, int>> seen;
    for (const auto& m : c.members()) {
      auto id = static_cast<std::uint32_t>(m.dispid);
      auto range = id & 0xFFFF0000u;
      switch (m.kind) {
        case MemberKind::Method:
          EXPECT_TRUE(range == 0x60030000u || m.dispid <= 0) << c.name << "." << m.name;
          break;
        case MemberKind::Get: case MemberKind::Let: case MemberKind::Set:
          EXPECT_TRUE(range == 0x68030000u || m.dispid <= 0) << c.name << "." << m.name;
          break;
        case MemberKind::Field:
          EXPECT_EQ(range, 0x40030000u) << c.name << "." << m.name;
          break;
      }
      EXPECT_TRUE(seen.insert({std::string(m.name), static_cast<int>(m.kind)}).second)
          << c.name << "." << m.name;
      EXPECT_TRUE(m.invoke) << c.name << "." << m.name;
      bool optionalSeen = false;
      for (const auto& p : m.params) {
        EXPECT_TRUE(p.optional || !optionalSeen) << "required after optional: " << m.name;
        optionalSeen = optionalSeen || p.optional;
      }
    }
  }
}

TEST(Catalogue, LooksUpByNameProgIdAndClsidRegardlessOfCase) {
  const ClassInfo* byName = findClass("zsnumbers");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(findClass("VQZavrinStudio.ZSNumbers"), byName);
  std::string lower(byName->clsid);
  for (auto& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(findClass("{" + lower + "}"), byName);
  EXPECT_EQ(findClass("Nope"), nullptr);
  EXPECT_EQ(findClass(""), nullptr);
}

TEST(Factory, CreatesByNameProgIdOrClsidAndNamesWhatItCannotCreate) {
  const ClassInfo& numbers = classInfo(ClassId::ZSNumbers);
  for (std::string key : {std::string("ZSNumbers"), std::string("vqzavrinstudio.zsnumbers"),
                          "{" + std::string(numbers.clsid) + "}", std::string(numbers.clsid)}) {
    ObjectPtr o = createObject(key);
    ASSERT_TRUE(o) << key;
    EXPECT_EQ(o->classInfo(), &numbers) << key;
  }
  for (auto [key, mention] : {std::pair{"ZSNoSuchThing", "ZSNoSuchThing"},
                              std::pair{"ppageAboutBoxDesign", "ppageAboutBoxDesign"}}) {
    try {
      createObject(key);
      FAIL() << key;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 429);
      EXPECT_NE(e.description().find(mention), std::string::npos) << e.description();
    }
  }
}

TEST(Factory, PredeclaredInstanceIsOnePerClassAndOnlyForApplicationObjects) {
  const ClassInfo& keys = classInfo(ClassId::ZSRegistryKeys);
  ObjectPtr first = predeclaredInstance(keys);
  EXPECT_EQ(predeclaredInstance(keys), first);
  EXPECT_NE(createObject(keys), first);
  EXPECT_EQ(errorOf([] { predeclaredInstance(classInfo(ClassId::ZSNumbers)); }), 429);
}

TEST(CollectionDynamic, HostCreatesAndUsesIt) {
  auto call = [](Object& o, DispId id, std::vector<Argument> args = {}) {
    return invoke(o, id, CallKind::Default, args);
  };
  auto arg = [](Variant v) { return Argument::byValue(std::move(v)); };
  ObjectPtr c = createObject("Collection");
  std::vector<Argument> add1{arg(Variant(u"a")), arg(Variant(u"k"))};
  invoke(*c, "add", CallKind::Method, add1);
  call(*c, methodId(1), {arg(Variant(Long{2}))});  // Key omitted
  EXPECT_EQ(call(*c, propertyId(0)).lng(), 2);     // Count
  EXPECT_EQ(call(*c, kDefaultMemberId, {arg(Variant(u"K"))}).string(), u"a");

  Variant en = call(*c, kNewEnumId);
  ASSERT_EQ(en.kind(), Kind::Object);
  EXPECT_EQ(en.object()->classInfo()->name, "Enumerator");
  EXPECT_EQ(std::dynamic_pointer_cast<Enumerator>(en.object())->Next(5).size(), 2u);

  call(*c, methodId(2), {arg(Variant(u"k"))});  // Remove
  EXPECT_EQ(call(*c, propertyId(0)).lng(), 1);
  try {
    call(*c, kDefaultMemberId, {arg(Variant(Long{5}))});
    FAIL() << "position 5 accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.source(), "Collection");
  }
  // A Null key cannot become text.
  EXPECT_EQ(errorOf([&] { call(*c, methodId(1), {arg(Variant(u"x")), arg(Variant::null())}); }), 94);
  EXPECT_EQ(errorOf([&] { createObject("Enumerator"); }), 429);
}

}  // namespace
}  // namespace zs
