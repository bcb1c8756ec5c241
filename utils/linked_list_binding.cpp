// ZSLinkedList in the catalogue: its members with their dispatch ids and types.
// Member number 0x10 is not exposed, so the ids jump from 0x0F to 0x11.
#include "frame/bindings.h"
#include "utils/linked_list.h"

namespace zs {
namespace {

LinkedList& self(Object& o) { return static_cast<LinkedList&>(o); }

// A member without parameters and without a result.
template <void (LinkedList::*Fn)()>
Variant step(Object& o, std::span<Variant>) {
  (self(o).*Fn)();
  return Variant();
}

// A member without parameters that returns a value.
template <class R, R (LinkedList::*Fn)() const>
Variant query(Object& o, std::span<Variant>) {
  return Variant((self(o).*Fn)());
}

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"CurrentIndex", methodId(0x00), MemberKind::Method, {}, t::Long, query<Long, &LinkedList::CurrentIndex>},
      {"MoveFirst", methodId(0x01), MemberKind::Method, {}, t::Void, step<&LinkedList::MoveFirst>},
      {"MoveLast", methodId(0x02), MemberKind::Method, {}, t::Void, step<&LinkedList::MoveLast>},
      {"MovePrevious", methodId(0x03), MemberKind::Method, {}, t::Void, step<&LinkedList::MovePrevious>},
      {"MoveNext", methodId(0x04), MemberKind::Method, {}, t::Void, step<&LinkedList::MoveNext>},
      {"Move", methodId(0x05), MemberKind::Method, {in("Index", t::Long)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).Move(a[0].lng());
         return Variant();
       }},
      {"BOL", methodId(0x06), MemberKind::Method, {}, t::Boolean, query<Boolean, &LinkedList::BOL>},
      {"EOL", methodId(0x07), MemberKind::Method, {}, t::Boolean, query<Boolean, &LinkedList::EOL>},
      {"Item", methodId(0x08), MemberKind::Method, {optionalIn("Index", t::Long)}, t::Variant,
       [](Object& o, std::span<Variant> a) { return self(o).Item(a[0].lng()); }},
      {"IsEmpty", methodId(0x09), MemberKind::Method, {}, t::Boolean, query<Boolean, &LinkedList::IsEmpty>},
      {"Count", methodId(0x0A), MemberKind::Method, {}, t::Long, query<Long, &LinkedList::Count>},
      // Both parameters are by reference and never written.
      {"Find", methodId(0x0B), MemberKind::Method,
       {ref("Value", t::Variant), optionalRef("StartIndex", t::Long, Variant(Long{1}))}, t::Long,
       [](Object& o, std::span<Variant> a) { return Variant(self(o).Find(a[0], a[1].lng())); }},
      // Value is by reference and never written; an object is stored as the
      // same reference.
      {"Add", methodId(0x0C), MemberKind::Method,
       {ref("Value", t::Variant), optionalIn("Before", t::Long), optionalIn("After", t::Long)}, t::Long,
       [](Object& o, std::span<Variant> a) {
         return Variant(self(o).Add(a[0], a[1].lng(), a[2].lng()));
       }},
      {"Remove", methodId(0x0D), MemberKind::Method, {optionalIn("Index", t::Long)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).Remove(a[0].lng());
         return Variant();
       }},
      {"RemoveAll", methodId(0x0E), MemberKind::Method, {}, t::Void, step<&LinkedList::RemoveAll>},
      {"SetSize", methodId(0x0F), MemberKind::Method,
       {in("NumSize", t::Long), optionalIn("ChunkSize", t::Long)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).SetSize(a[0].lng(), a[1].lng());
         return Variant();
       }},
      {"CheckIndex", methodId(0x11), MemberKind::Method, {in("Index", t::Long)}, t::Boolean,
       [](Object& o, std::span<Variant> a) { return Variant(self(o).CheckIndex(a[0].lng())); }},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSLinkedList{members, [] { return ObjectPtr(create<LinkedList>()); }};

const ClassInfo* LinkedList::classInfo() const { return &zs::classInfo(ClassId::ZSLinkedList); }

}  // namespace zs
