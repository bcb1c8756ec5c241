// ZSRegistry in the catalogue: its ten methods with their dispatch ids and
// types, and the registry's enumerations.
#include "frame/bindings.h"
#include "registry/registry.h"

namespace zs {
namespace {

Registry& self(Object& o) { return static_cast<Registry&>(o); }

constexpr TypeRef kHKey = t::enumOf("ZSRegistryHKeyConstants");
constexpr TypeRef kDataType = t::enumOf("ZSRegistryDataTypeConstants");

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"CreateKey", methodId(0), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).CreateKey(a[0].lng(), a[1].string());
       }},
      {"KeyExist", methodId(1), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String)}, t::Boolean,
       [](Object& o, std::span<Variant> a) {
         return Variant(self(o).KeyExist(a[0].lng(), a[1].string()));
       }},
      {"ValueExist", methodId(2), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String), ref("ValueName", t::String)}, t::Boolean,
       [](Object& o, std::span<Variant> a) {
         return Variant(self(o).ValueExist(a[0].lng(), a[1].string(), a[2].string()));
       }},
      {"DeleteKey", methodId(3), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).DeleteKey(a[0].lng(), a[1].string());
       }},
      {"DeleteValue", methodId(4), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String), ref("ValueName", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).DeleteValue(a[0].lng(), a[1].string(), a[2].string());
       }},
      {"ListKeys", methodId(5), MemberKind::Method,
       {in("hKey", kHKey), in("SubKey", t::String)}, t::objectOf("ZSRegistryKeys"),
       [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(self(o).ListKeys(a[0].lng(), a[1].string())));
       }},
      {"ListValues", methodId(6), MemberKind::Method,
       {in("hKey", kHKey), in("SubKey", t::String)}, t::objectOf("ZSRegistryValues"),
       [](Object& o, std::span<Variant> a) {
         return Variant(ObjectPtr(self(o).ListValues(a[0].lng(), a[1].string())));
       }},
      {"WriteValue", methodId(7), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String), ref("ValueType", kDataType),
        ref("ValueName", t::String), ref("ValueData", t::String)},
       t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).WriteValue(a[0].lng(), a[1].string(), a[2].lng(), a[3].string(),
                                   a[4].string());
       }},
      {"ReadValue", methodId(8), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String), ref("ValueName", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).ReadValue(a[0].lng(), a[1].string(), a[2].string());
       }},
      {"ReadDataType", methodId(9), MemberKind::Method,
       {ref("hKey", kHKey), ref("SubKey", t::String), ref("ValueName", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).ReadDataType(a[0].lng(), a[1].string(), a[2].string());
       }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSRegistryHKeyConstants",
       {{"zvHKEY_CLASSES_ROOT", zvHKEY_CLASSES_ROOT},
        {"zvHKEY_CURRENT_USER", zvHKEY_CURRENT_USER},
        {"zvHKEY_LOCAL_MACHINE", zvHKEY_LOCAL_MACHINE},
        {"zvHKEY_USERS", zvHKEY_USERS},
        {"zvHKEY_PERFORMANCE_DATA", zvHKEY_PERFORMANCE_DATA},
        {"zvHKEY_CURRENT_CONFIG", zvHKEY_CURRENT_CONFIG},
        {"zvHKEY_DYN_DATA", zvHKEY_DYN_DATA}}},
      {"ZSRegistryDataTypeConstants",
       {{"zvString", zvString}, {"zvBinary", zvBinary}, {"zvDWord", zvDWord}}},
      {"ZSRegistryErrorConstants",
       {{"zvNone", zvNone},
        {"zvBadDb", zvBadDb},
        {"zvBadKey", zvBadKey},
        {"zvCantOpen", zvCantOpen},
        {"zvCantRead", zvCantRead},
        {"zvCantWrite", zvCantWrite},
        {"zvOutOfMemory", zvOutOfMemory},
        {"zvArenaTrashed", zvArenaTrashed},
        {"zvAccessDenied", zvAccessDenied},
        {"zvInvalidParameters", zvInvalidParameters},
        {"zvNoMoreItems", zvNoMoreItems}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSRegistry{members, [] { return ObjectPtr(create<Registry>()); }, enums};

const ClassInfo* Registry::classInfo() const { return &zs::classInfo(ClassId::ZSRegistry); }

}  // namespace zs
