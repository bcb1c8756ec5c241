// ZSVelquorsoft in the catalogue.
#include "branding/velquorsoft.h"
#include "frame/bindings.h"

namespace zs {
namespace {

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"About", methodId(0), MemberKind::Method, {}, t::Void,
       [](Object& o, std::span<Variant>) {
         static_cast<Velquorsoft&>(o).About();
         return Variant();
       }},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSVelquorsoft{members, [] { return ObjectPtr(create<Velquorsoft>()); }};

const ClassInfo* Velquorsoft::classInfo() const { return &zs::classInfo(ClassId::ZSVelquorsoft); }

}  // namespace zs
