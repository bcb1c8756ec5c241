// The collection classes and their items: Add semantics, references, errors
// passed through from the container, and the dynamic path hosts use.
#include "frame/keyed_collections.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include "core/dispatch.h"
#include "core/error.h"
#include "frame/factory.h"

namespace zs {
namespace {

Variant call(Object& o, DispId id, std::vector<Argument>&& args = {}, CallKind kind = CallKind::Default) {
  return invoke(o, id, kind, args);
}
Argument byRef(Variant v) { return Argument::byReference(std::move(v)); }
ObjectPtr item(Object& c, Variant index) { return call(c, kDefaultMemberId, {byRef(std::move(index))}).object(); }
Long count(Object& c) { return call(c, propertyId(0)).lng(); }

constexpr DispId kAdd = methodId(1);
constexpr DispId kRemove = methodId(2);

// Each collection class driven only through dispatch: Add's field arguments
// (without sKey) and its item class; the first field is a String.
struct Family {
  const char* collection;
  const char* item;
  std::vector<Variant> fields;
};

ObjectPtr add(Object& c, const Family& f, std::optional<String> key = std::nullopt) {
  std::vector<Argument> args;
  for (const auto& v : f.fields) args.push_back(byRef(v));
  if (key) args.push_back(byRef(Variant(*key)));
  return invoke(c, kAdd, CallKind::Default, args).object();
}

TEST(KeyedCollections, AddItemCountRemoveAndEnumerate) {
  const Family families[] = {
      {"ZSRegistryKeys", "ZSRegistryKey", {Variant(u"Software")}},
      {"ZSRegistryValues", "ZSRegistryValue", {Variant(u"Path"), Variant(u"C:\\"), Variant(Long{1})}},
      {"ZSFolderSelectValues", "ZSFolderSelectValue", {Variant(u"Docs"), Variant(u"/home/docs")}},
  };
  for (const auto& f : families) {
    SCOPED_TRACE(f.collection);
    ObjectPtr c = createObject(f.collection);
    EXPECT_EQ(errorOf([&] { item(*c, Variant(Long{1})); }), 9);

    // Same fields, no key (omitted or empty): two distinct items.
    ObjectPtr first = add(*c, f);
    ObjectPtr second = add(*c, f, String());
    EXPECT_NE(first, second);
    EXPECT_EQ(first->classInfo()->name, f.item);

    // The returned item is the stored one: a field set through it shows
    // through Item.
    call(*first, fieldId(0), {byRef(Variant(u"changed"))}, CallKind::Let);
    EXPECT_EQ(call(*item(*c, Variant(Long{1})), fieldId(0)).string(), u"changed");

    // Keyed items; duplicate keys fail and leave the collection as it was.
    ObjectPtr keyed = add(*c, f, String(u"K"));
    EXPECT_EQ(item(*c, Variant(u"k")), keyed);
    EXPECT_EQ(errorOf([&] { add(*c, f, String(u"k")); }), 457);
    EXPECT_EQ(errorOf([&] { item(*c, Variant(u"none")); }), 5);
    EXPECT_EQ(count(*c), 3);

    // Enumeration follows the order of Add.
    auto values = std::dynamic_pointer_cast<Enumerator>(call(*c, kNewEnumId).object())->Next(10);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].object(), first);
    EXPECT_EQ(values[2].object(), keyed);

    // Remove 1 of 3: the former second is now first.
    call(*c, kRemove, {byRef(Variant(Long{1}))});
    EXPECT_EQ(item(*c, Variant(Long{1})), second);
    EXPECT_EQ(errorOf([&] { call(*c, kRemove, {byRef(Variant(Long{3}))}); }), 9);
    call(*c, kRemove, {byRef(Variant(u"K"))});
    EXPECT_EQ(count(*c), 1);
    // The removed item lives on while the host holds it.
    EXPECT_EQ(call(*first, fieldId(0)).string(), u"changed");
  }
}

TEST(KeyedCollections, RegistryValuesAddCopiesDataAndKeepsAnyDataType) {
  auto fresh = std::static_pointer_cast<RegistryValue>(createObject("ZSRegistryValue"));
  EXPECT_TRUE(fresh->ValueName.empty() && fresh->ValueData.isEmpty() && fresh->DataType == 0);

  ObjectPtr c = createObject("ZSRegistryValues");
  std::vector<Argument> args{byRef(Variant(u"Name")), byRef(Variant(u"data")),
                             byRef(Variant(Long{2})), Argument::omitted()};
  ObjectPtr added = invoke(*c, kAdd, CallKind::Default, args).object();
  EXPECT_EQ(args[2].value.lng(), 2);  // by-reference arguments come back unchanged
  EXPECT_EQ(args[1].value.string(), u"data");

  auto& value = static_cast<RegistryValue&>(*added);
  EXPECT_EQ(value.DataType, 2);  // not a named constant, stored anyway
  // A copy: the caller's variable changing afterwards does not reach the item.
  args[1].value.string() = u"other";
  EXPECT_EQ(call(*added, fieldId(1)).string(), u"data");

  // ValueData takes a value by let and an object by set.
  call(*added, fieldId(1), {byRef(Variant(Long{7}))}, CallKind::Let);
  EXPECT_EQ(value.ValueData.lng(), 7);
  ObjectPtr other = createObject("ZSRegistryKey");
  call(*added, fieldId(1), {byRef(Variant(other))}, CallKind::Set);
  EXPECT_EQ(value.ValueData.object(), other);
  call(*added, fieldId(2), {byRef(Variant(u"4"))}, CallKind::Let);  // converted to Long
  EXPECT_EQ(call(*added, fieldId(2)).lng(), zvDWord);
}

TEST(KeyedCollections, TypedApiForProducers) {
  auto values = create<RegistryValues>();
  values->Add(u"A", Variant(u"1"), zvString);
  auto b = values->Add(u"B", Variant(u"\x01\x02"), zvBinary, u"kb");
  EXPECT_EQ(values->Item(Variant(u"KB")), b);
  EXPECT_EQ(values->Item(Variant(Long{2}))->DataType, zvBinary);

  auto folders = create<FolderSelectValues>();
  auto pick = folders->Add(u"Documents", u"/home/me/Documents");
  EXPECT_EQ(folders->Item(Variant(1.0))->PhysicalLocation, u"/home/me/Documents");
  folders->Remove(Variant(Long{1}));
  EXPECT_EQ(folders->Count(), 0);
  EXPECT_EQ(pick->TheUserSelected, u"Documents");
}

// NewEnum is hidden and every parameter of the collection members is by
// reference: both show in the type information hosts see.
TEST(KeyedCollections, MemberShapes) {
  for (ClassId id : {ClassId::ZSRegistryKeys, ClassId::ZSRegistryValues, ClassId::ZSFolderSelectValues}) {
    const ClassInfo& cls = classInfo(id);
    SCOPED_TRACE(cls.name);
    const Member* en = findMember(cls, kNewEnumId, CallKind::Get);
    ASSERT_NE(en, nullptr);
    EXPECT_TRUE(en->hidden);
    for (const auto& m : cls.members())
      for (const auto& p : m.params) EXPECT_TRUE(p.byRef) << m.name << "." << p.name;
    const Member* addMember = findMember(cls, "Add", CallKind::Method);
    ASSERT_NE(addMember, nullptr);
    EXPECT_EQ(addMember->dispid, kAdd);
    EXPECT_TRUE(addMember->params.back().optional);
  }
}

}  // namespace
}  // namespace zs
