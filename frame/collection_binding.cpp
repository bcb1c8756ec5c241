// Collection and its enumerator in the catalogue. Collection keeps the
// dispatch ids of the collection classes: Item 0 (default member), Count
// 0x68030000, Add 0x60030001, Remove 0x60030002, NewEnum -4 (hidden).
#include "frame/bindings.h"
#include "core/collection.h"

namespace zs {
namespace {

Collection& self(Object& o) { return static_cast<Collection&>(o); }

const MemberTable& collectionMembers() {
  static const MemberTable table = std::vector<Member>{
      {"Item", kDefaultMemberId, MemberKind::Get, {in("Index", t::Variant)}, t::Variant,
       [](Object& o, std::span<Variant> a) { return self(o).Item(a[0]); }},
      {"Count", propertyId(0), MemberKind::Get, {}, t::Long,
       [](Object& o, std::span<Variant>) { return Variant(self(o).Count()); }},
      {"Add", methodId(1), MemberKind::Method,
       {in("Item", t::Variant), optionalIn("Key", t::String, Variant(String()))}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).Add(a[0], a[1].string());
         return Variant();
       }},
      {"Remove", methodId(2), MemberKind::Method, {in("Index", t::Variant)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).Remove(a[0]);
         return Variant();
       }},
      {"NewEnum", kNewEnumId, MemberKind::Get, {}, t::Unknown,
       [](Object& o, std::span<Variant>) { return Variant(ObjectPtr(self(o).NewEnum())); },
       nullptr, true},
  };
  return table;
}

const MemberTable& noMembers() {
  static const MemberTable none{{}};
  return none;
}

}  // namespace

const ClassBinding bindings::Collection{collectionMembers,
                                    [] { return ObjectPtr(create<zs::Collection>()); }};

// Enumerators are handed out by NewEnum only; hosts step them through the
// enumeration protocol (Next, Skip, Reset, Clone), not through members.
const ClassBinding bindings::Enumerator{noMembers, nullptr};

const ClassInfo* Collection::classInfo() const { return &zs::classInfo(ClassId::Collection); }
const ClassInfo* Enumerator::classInfo() const { return &zs::classInfo(ClassId::Enumerator); }

}  // namespace zs
