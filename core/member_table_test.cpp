// The member index against a plain scan of the same table: every name in any
// letter case and every id finds the member of the right kind, and nothing
// else is found, also in a table large enough for probe runs to collide.
#include "core/member_table.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ascii.h"

namespace zs {
namespace {

const Member* scan(std::span<const Member> members, auto matches, CallKind kind) {
  // Exact kind first, then a read for a method call and the other way round.
  const Member* fallback = nullptr;
  for (const auto& m : members) {
    if (!matches(m)) continue;
    const bool read = m.kind == MemberKind::Method || m.kind == MemberKind::Get ||
                      m.kind == MemberKind::Field;
    const bool exact = (kind == CallKind::Method && m.kind == MemberKind::Method) ||
                       (kind == CallKind::Get && (m.kind == MemberKind::Get || m.kind == MemberKind::Field)) ||
                       (kind == CallKind::Let && m.kind == MemberKind::Let) ||
                       (kind == CallKind::Set && m.kind == MemberKind::Set) ||
                       (kind == CallKind::Default && read);
    const bool accepted = kind == CallKind::Default ||
                          ((kind == CallKind::Method || kind == CallKind::Get) && read) ||
                          (kind == CallKind::Let && (m.kind == MemberKind::Let || m.kind == MemberKind::Field)) ||
                          (kind == CallKind::Set && (m.kind == MemberKind::Set || m.kind == MemberKind::Field));
    if (exact) return &m;
    if (accepted && !fallback) fallback = &m;
  }
  return fallback;
}

TEST(MemberTable, FindsWhatAScanFindsByAnyCaseOfNameAndById) {
  std::vector<std::string> names;  // the table's names point into these
  for (int i = 0; i < 300; ++i) names.push_back("Member" + std::to_string(i));
  std::vector<Member> members;
  for (int i = 0; i < 300; ++i) {
    const std::string_view name = names[static_cast<std::size_t>(i)];
    switch (i % 3) {
      case 0: members.push_back({name, methodId(i), MemberKind::Method, {}, t::Long}); break;
      case 1:  // a property: get, let and set share name and id
        for (MemberKind k : {MemberKind::Get, MemberKind::Let, MemberKind::Set})
          members.push_back({name, propertyId(i), k, {}, t::Variant});
        break;
      default: members.push_back({name, fieldId(i), MemberKind::Field, {}, t::String}); break;
    }
  }
  const MemberTable table(members);
  for (const Member& m : table.members()) {
    std::string upper(m.name), lower(m.name);
    for (auto& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    for (auto& c : lower) c = foldAscii(c);
    for (CallKind kind : {CallKind::Default, CallKind::Method, CallKind::Get, CallKind::Let, CallKind::Set}) {
      const Member* expected = scan(table.members(), [&](const Member& x) { return x.name == m.name; }, kind);
      EXPECT_EQ(table.find(upper, kind), expected) << m.name;
      EXPECT_EQ(table.find(lower, kind), expected) << m.name;
      EXPECT_EQ(table.find(m.dispid, kind), expected) << m.name;
    }
  }
  for (std::string_view absent : {"Member300", "Member", "", "Member1 ", "member-1"})
    EXPECT_EQ(table.find(absent, CallKind::Default), nullptr) << absent;
  EXPECT_EQ(table.find(methodId(1), CallKind::Default), nullptr);  // 1 is a property
  EXPECT_EQ(table.find(kNewEnumId, CallKind::Get), nullptr);
  EXPECT_EQ(MemberTable({}).find("x", CallKind::Default), nullptr);
}

}  // namespace
}  // namespace zs
