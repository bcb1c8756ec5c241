// ZSMath in the catalogue: its members with their dispatch ids and types.
// Member number 0x08 is ASin and 0x09 ACos; the rest follow from 0x0A.
#include "frame/bindings.h"
#include "utils/math.h"

namespace zs {
namespace {

Math& self(Object& o) { return static_cast<Math&>(o); }

// Inc and Dec: the caller's Value by reference, Amount by value.
template <Variant (Math::*Fn)(Variant&, const Variant&)>
Variant step(Object& o, std::span<Variant> a) {
  return (self(o).*Fn)(a[0], a[1]);
}

// A function of one Variant argument.
template <Double (Math::*Fn)(const Variant&)>
Variant ofVariant(Object& o, std::span<Variant> a) {
  return Variant((self(o).*Fn)(a[0]));
}

// AbsCeil and AbsFloor: the Variant argument and KeepSign.
template <Double (Math::*Fn)(const Variant&, Boolean)>
Variant rounded(Object& o, std::span<Variant> a) {
  return Variant((self(o).*Fn)(a[0], a[1].boolean()));
}

// A function of one Double argument (by reference, only read).
template <Double (Math::*Fn)(const Double&)>
Variant ofDouble(Object& o, std::span<Variant> a) {
  return Variant((self(o).*Fn)(a[0].dbl()));
}

Member doubleFunction(std::string_view name, int number, Invoker invoke) {
  return {name, methodId(number), MemberKind::Method, {ref("Value", t::Double)}, t::Double, invoke};
}

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"Inc", methodId(0x00), MemberKind::Method,
       {ref("Value", t::Variant), optionalIn("Amount", t::Variant, Variant(Integer{1}))}, t::Variant,
       step<&Math::Inc>},
      {"Dec", methodId(0x01), MemberKind::Method,
       {ref("Value", t::Variant), optionalIn("Amount", t::Variant, Variant(Integer{1}))}, t::Variant,
       step<&Math::Dec>},
      {"Log10", methodId(0x02), MemberKind::Method, {in("Value", t::Variant)}, t::Double,
       ofVariant<&Math::Log10>},
      {"LogX", methodId(0x03), MemberKind::Method, {in("Value", t::Variant), in("X", t::Variant)},
       t::Double,
       [](Object& o, std::span<Variant> a) { return Variant(self(o).LogX(a[0], a[1])); }},
      {"Ceil", methodId(0x04), MemberKind::Method, {in("Value", t::Variant)}, t::Double,
       ofVariant<&Math::Ceil>},
      {"Floor", methodId(0x05), MemberKind::Method, {in("Value", t::Variant)}, t::Double,
       ofVariant<&Math::Floor>},
      {"AbsCeil", methodId(0x06), MemberKind::Method,
       {in("Value", t::Variant), optionalIn("KeepSign", t::Boolean)}, t::Double,
       rounded<&Math::AbsCeil>},
      {"AbsFloor", methodId(0x07), MemberKind::Method,
       {in("Value", t::Variant), optionalIn("KeepSign", t::Boolean)}, t::Double,
       rounded<&Math::AbsFloor>},
      doubleFunction("ASin", 0x08, ofDouble<&Math::ASin>),
      {"ACos", methodId(0x09), MemberKind::Method, {in("Value", t::Double)}, t::Double,
       [](Object& o, std::span<Variant> a) { return Variant(self(o).ACos(a[0].dbl())); }},
      doubleFunction("ACot", 0x0A, ofDouble<&Math::ACot>),
      doubleFunction("ASec", 0x0B, ofDouble<&Math::ASec>),
      doubleFunction("ACsc", 0x0C, ofDouble<&Math::ACsc>),
      doubleFunction("SinH", 0x0D, ofDouble<&Math::SinH>),
      doubleFunction("CosH", 0x0E, ofDouble<&Math::CosH>),
      doubleFunction("TanH", 0x0F, ofDouble<&Math::TanH>),
      doubleFunction("CotH", 0x10, ofDouble<&Math::CotH>),
      doubleFunction("SecH", 0x11, ofDouble<&Math::SecH>),
      doubleFunction("CscH", 0x12, ofDouble<&Math::CscH>),
      doubleFunction("ASinH", 0x13, ofDouble<&Math::ASinH>),
      doubleFunction("ACosH", 0x14, ofDouble<&Math::ACosH>),
      doubleFunction("ATanH", 0x15, ofDouble<&Math::ATanH>),
      doubleFunction("ACotH", 0x16, ofDouble<&Math::ACotH>),
      doubleFunction("ASecH", 0x17, ofDouble<&Math::ASecH>),
      doubleFunction("ACscH", 0x18, ofDouble<&Math::ACscH>),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSMath{members, [] { return ObjectPtr(create<Math>()); }};

const ClassInfo* Math::classInfo() const { return &zs::classInfo(ClassId::ZSMath); }

}  // namespace zs
