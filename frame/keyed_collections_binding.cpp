// The collection classes and their item classes in the catalogue. Every
// collection class has the same five members (Item 0, Count 0x68030000, Add
// 0x60030001, Remove 0x60030002, NewEnum -4 hidden), all parameters by
// reference; item fields are 0x4003nnnn.
#include "frame/bindings.h"
#include "frame/keyed_collections.h"
#include "registry/registry.h"

namespace zs {
namespace {

template <class C>
C& as(Object& o) {
  return static_cast<C&>(o);
}

constexpr TypeRef kDataType = t::enumOf("ZSRegistryDataTypeConstants");

// The members every collection class shares, around its own Add.
template <class C>
std::vector<Member> collectionMembers(std::string_view itemClass, Member add) {
  return {
      {"Item", kDefaultMemberId, MemberKind::Get, {ref("vntIndexKey", t::Variant)},
       t::objectOf(itemClass),
       [](Object& o, std::span<Variant> a) { return Variant(ObjectPtr(as<C>(o).Item(a[0]))); }},
      {"Count", propertyId(0), MemberKind::Get, {}, t::Long,
       [](Object& o, std::span<Variant>) { return Variant(as<C>(o).Count()); }},
      std::move(add),
      {"Remove", methodId(2), MemberKind::Method, {ref("vntIndexKey", t::Variant)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         as<C>(o).Remove(a[0]);
         return Variant();
       }},
      {"NewEnum", kNewEnumId, MemberKind::Get, {}, t::Unknown,
       [](Object& o, std::span<Variant>) { return Variant(ObjectPtr(as<C>(o).NewEnum())); },
       nullptr, true},
  };
}

Param keyParam() { return optionalRef("sKey", t::String, Variant(String())); }

const MemberTable& registryKeysMembers() {
  static const MemberTable table = collectionMembers<RegistryKeys>(
      "ZSRegistryKey",
      {"Add", methodId(1), MemberKind::Method, {ref("KeyNames", t::String), keyParam()},
       t::objectOf("ZSRegistryKey"), [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(as<RegistryKeys>(o).Add(a[0].string(), a[1].string())));
       }});
  return table;
}

const MemberTable& registryValuesMembers() {
  static const MemberTable table = collectionMembers<RegistryValues>(
      "ZSRegistryValue",
      {"Add", methodId(1), MemberKind::Method,
       {ref("ValueName", t::String), ref("ValueData", t::Variant), ref("DataType", kDataType),
        keyParam()},
       t::objectOf("ZSRegistryValue"), [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(
             as<RegistryValues>(o).Add(a[0].string(), a[1], a[2].lng(), a[3].string())));
       }});
  return table;
}

const MemberTable& folderSelectValuesMembers() {
  static const MemberTable table = collectionMembers<FolderSelectValues>(
      "ZSFolderSelectValue",
      {"Add", methodId(1), MemberKind::Method,
       {ref("TheUserSelected", t::String), ref("PhysicalLocation", t::String), keyParam()},
       t::objectOf("ZSFolderSelectValue"), [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(
             as<FolderSelectValues>(o).Add(a[0].string(), a[1].string(), a[2].string())));
       }});
  return table;
}

// Field writes: the value arrives already converted to the field's type.
void store(String& field, const Variant& v) { field = v.string(); }
void store(Long& field, const Variant& v) { field = v.lng(); }
void store(Variant& field, const Variant& v) { field = v; }

// A public field of an item class, readable and writable.
template <class Item, auto Field>
Member field(std::string_view name, int ordinal, TypeRef type) {
  return Member{name, fieldId(ordinal), MemberKind::Field, {}, type,
                [](Object& o, std::span<Variant>) { return Variant(as<Item>(o).*Field); },
                [](Object& o, std::span<Variant> a) {
                  store(as<Item>(o).*Field, a[0]);
                  return Variant();
                }};
}

const MemberTable& registryKeyMembers() {
  static const MemberTable table = std::vector<Member>{
      field<RegistryKey, &RegistryKey::KeyNames>("KeyNames", 0, t::String),
  };
  return table;
}

// ValueData is a Variant field: a let stores the value, a set stores an object
// reference; both arrive here as the value to keep.
const MemberTable& registryValueMembers() {
  static const MemberTable table = std::vector<Member>{
      field<RegistryValue, &RegistryValue::ValueName>("ValueName", 0, t::String),
      field<RegistryValue, &RegistryValue::ValueData>("ValueData", 1, t::Variant),
      field<RegistryValue, &RegistryValue::DataType>("DataType", 2, kDataType),
  };
  return table;
}

const MemberTable& folderSelectValueMembers() {
  static const MemberTable table = std::vector<Member>{
      field<FolderSelectValue, &FolderSelectValue::TheUserSelected>("TheUserSelected", 0,
                                                                    t::String),
      field<FolderSelectValue, &FolderSelectValue::PhysicalLocation>("PhysicalLocation", 1,
                                                                     t::String),
  };
  return table;
}

std::span<const EnumInfo> dataTypeEnums() {
  static const std::vector<EnumInfo> table = {
      {"ZSRegistryDataTypeConstants",
       {{"zvString", zvString}, {"zvBinary", zvBinary}, {"zvDWord", zvDWord}}},
  };
  return table;
}

template <class T>
ObjectPtr make() {
  return ObjectPtr(create<T>());
}

}  // namespace

const ClassBinding bindings::ZSRegistryKeys{registryKeysMembers, make<RegistryKeys>};
const ClassBinding bindings::ZSRegistryKey{registryKeyMembers, make<RegistryKey>};
const ClassBinding bindings::ZSRegistryValues{registryValuesMembers, make<RegistryValues>, dataTypeEnums};
const ClassBinding bindings::ZSRegistryValue{registryValueMembers, make<RegistryValue>, dataTypeEnums};
const ClassBinding bindings::ZSFolderSelectValues{folderSelectValuesMembers, make<FolderSelectValues>};
const ClassBinding bindings::ZSFolderSelectValue{folderSelectValueMembers, make<FolderSelectValue>};

}  // namespace zs
