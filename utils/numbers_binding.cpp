// ZSNumbers in the catalogue: its members with their dispatch ids and types.
#include "frame/bindings.h"
#include "utils/numbers.h"

namespace zs {
namespace {

Numbers& self(Object& o) { return static_cast<Numbers&>(o); }

// A conversion member: one String parameter by reference, a Variant result.
template <Variant (Numbers::*Fn)(String&)>
Variant convert(Object& o, std::span<Variant> a) {
  return (self(o).*Fn)(a[0].string());
}

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"BinToOct", methodId(0x00), MemberKind::Method, {ref("BinaryValue", t::String)}, t::Variant, convert<&Numbers::BinToOct>},
      {"BinToHex", methodId(0x01), MemberKind::Method, {ref("BinaryValue", t::String)}, t::Variant, convert<&Numbers::BinToHex>},
      {"BinToDec", methodId(0x02), MemberKind::Method, {ref("BinaryValue", t::String)}, t::Variant, convert<&Numbers::BinToDec>},
      {"OctToBin", methodId(0x03), MemberKind::Method, {ref("OctalValue", t::String)}, t::Variant, convert<&Numbers::OctToBin>},
      {"OctToHex", methodId(0x04), MemberKind::Method, {ref("OctalValue", t::String)}, t::Variant, convert<&Numbers::OctToHex>},
      {"OctToDec", methodId(0x05), MemberKind::Method, {ref("OctalValue", t::String)}, t::Variant, convert<&Numbers::OctToDec>},
      {"DecToBin", methodId(0x06), MemberKind::Method, {ref("DecimalValue", t::String)}, t::Variant, convert<&Numbers::DecToBin>},
      {"DecToOct", methodId(0x07), MemberKind::Method, {ref("DecimalValue", t::String)}, t::Variant, convert<&Numbers::DecToOct>},
      {"DecToHex", methodId(0x08), MemberKind::Method, {ref("DecimalValue", t::String)}, t::Variant, convert<&Numbers::DecToHex>},
      {"HexToBin", methodId(0x09), MemberKind::Method, {ref("HexidecimalValue", t::String)}, t::Variant, convert<&Numbers::HexToBin>},
      {"HexToOct", methodId(0x0A), MemberKind::Method, {ref("HexidecimalValue", t::String)}, t::Variant, convert<&Numbers::HexToOct>},
      {"HexToDec", methodId(0x0B), MemberKind::Method, {ref("HexidecimalValue", t::String)}, t::Variant, convert<&Numbers::HexToDec>},
      {"GenerateRandomID", methodId(0x0C), MemberKind::Method,
       {ref("NumDigits", t::Integer),
        optionalRef("BaseX", t::enumOf("ZSNumbersConstants"), Variant(Long{zvDecimalBase}))},
       t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).GenerateRandomID(a[0].integer(), a[1].lng());
       }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSNumbersConstants",
       {{"zvBinaryBase", zvBinaryBase},
        {"zvOctalBase", zvOctalBase},
        {"zvDecimalBase", zvDecimalBase},
        {"zvHexidecimalBase", zvHexidecimalBase},
        {"zvAlphaNumericBase", zvAlphaNumericBase}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSNumbers{members, [] { return ObjectPtr(create<Numbers>()); }, enums};

const ClassInfo* Numbers::classInfo() const { return &zs::classInfo(ClassId::ZSNumbers); }

}  // namespace zs
