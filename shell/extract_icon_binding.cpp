// ZSExtractIcon in the catalogue: FileName, Count, Extract and
// ZSExtractIconSizeConstants.
#include "frame/bindings.h"
#include "shell/extract_icon.h"

namespace zs {
namespace {

ExtractIcon& self(Object& o) { return static_cast<ExtractIcon&>(o); }

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      {"FileName", propertyId(0), MemberKind::Get, {}, t::String,
       [](Object& o, std::span<Variant>) { return Variant(self(o).FileName()); }},
      {"FileName", propertyId(0), MemberKind::Let, {in("value", t::String)}, t::Void,
       [](Object& o, std::span<Variant> a) {
         self(o).FileName(a[0].string());
         return Variant();
       }},
      {"Count", methodId(1), MemberKind::Method, {}, t::Long,
       [](Object& o, std::span<Variant>) { return Variant(self(o).Count()); }},
      {"Extract", methodId(2), MemberKind::Method,
       {ref("Index", t::Long), ref("IconSize", t::enumOf("ZSExtractIconSizeConstants")),
        ref("hdc", t::Long), ref("Left", t::Long), ref("Top", t::Long)},
       t::Variant,
       [](Object& o, std::span<Variant> a) {
         return self(o).Extract(a[0].lng(), a[1].lng(), a[2].lng(), a[3].lng(), a[4].lng());
       }},
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSExtractIconSizeConstants",
       {{"zv16x16", zv16x16},     {"zv24x24", zv24x24},     {"zv32x32", zv32x32},
        {"zv40x40", zv40x40},     {"zv48x48", zv48x48},     {"zv56x56", zv56x56},
        {"zv64x64", zv64x64},     {"zv72x72", zv72x72},     {"zv80x80", zv80x80},
        {"zv88x88", zv88x88},     {"zv96x96", zv96x96},     {"zv104x104", zv104x104},
        {"zv112x112", zv112x112}, {"zv120x120", zv120x120}, {"zv128x128", zv128x128}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSExtractIcon{members, [] { return ObjectPtr(create<ExtractIcon>()); },
                                           enums};

const ClassInfo* ExtractIcon::classInfo() const { return &zs::classInfo(ClassId::ZSExtractIcon); }

}  // namespace zs
