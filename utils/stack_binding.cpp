// ZSStack in the catalogue: its members with their dispatch ids and types.
#include "frame/bindings.h"
#include "utils/stack.h"

namespace zs {
namespace {

Stack& self(Object& o) { return static_cast<Stack&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"Push", methodId(0), MemberKind::Method, {ref("Value", t::Variant)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).Push(a[0]);
         return Variant();
       }},
      {"Pop", methodId(1), MemberKind::Method, {}, t::Variant,
       [](Object& o, std::span<Variant>) { return self(o).Pop(); }},
      {"Peek", methodId(2), MemberKind::Method, {}, t::Variant,
       [](Object& o, std::span<Variant>) { return self(o).Peek(); }},
      {"Count", methodId(3), MemberKind::Method, {}, t::Long,
       [](Object& o, std::span<Variant>) { return Variant(self(o).Count()); }},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSStack{members, [] { return ObjectPtr(create<Stack>()); }};

const ClassInfo* Stack::classInfo() const { return &zs::classInfo(ClassId::ZSStack); }

}  // namespace zs
