// ZSHyperLink in the catalogue: GoUrl and SendMail.
#include "frame/bindings.h"
#include "shell/hyperlink.h"

namespace zs {
namespace {

HyperLink& self(Object& o) { return static_cast<HyperLink&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"GoUrl", methodId(0), MemberKind::Method, {ref("http", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) { return self(o).GoUrl(a[0].string()); }},
      {"SendMail", methodId(1), MemberKind::Method, {ref("Mailto", t::String)}, t::Variant,
       [](Object& o, std::span<Variant> a) { return self(o).SendMail(a[0].string()); }},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSHyperLink{members, [] { return ObjectPtr(create<HyperLink>()); }};

const ClassInfo* HyperLink::classInfo() const { return &zs::classInfo(ClassId::ZSHyperLink); }

}  // namespace zs
