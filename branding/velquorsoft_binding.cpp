// ZSVelquorsoft in the catalogue.
#include "branding/velquorsoft.h"

namespace zs {
namespace {

std::span<const Member> members() {
  static const std::vector<Member> table = {
      {"About", methodId(0), MemberKind::Method, {}, t::Void,
       [](Object& o, std::span<Variant>) {
         static_cast<Velquorsoft&>(o).About();
         return Variant();
       }},
  };
  return table;
}

}  // namespace

const ClassBinding& velquorsoftBinding() {
  static const ClassBinding binding{members, [] { return ObjectPtr(create<Velquorsoft>()); }};
  return binding;
}

const ClassInfo* Velquorsoft::classInfo() const { return &classNamed("ZSVelquorsoft"); }

}  // namespace zs
