// The catalogue's identities must stay unique and complete.
#include "frame/catalogue.h"

#include <gtest/gtest.h>

#include <set>

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

}  // namespace
}  // namespace zs
