// ZSAboutBox in the catalogue: its properties, ShowAbout, About and
// ZSAboutBoxConstants.
#include "branding/about_box.h"
#include "branding/property_members.h"
#include "frame/bindings.h"

namespace zs {
namespace {

AboutBox& self(Object& o) { return static_cast<AboutBox&>(o); }

template <String (AboutBox::*Get)() const, void (AboutBox::*Let)(String)>
void text(std::vector<Member>& m, std::string_view name, int id) {
  branding::textProperty<AboutBox, Get, Let>(m, name, id);
}

template <OleColor (AboutBox::*Get)() const, void (AboutBox::*Let)(OleColor)>
void color(std::vector<Member>& m, std::string_view name, int id) {
  branding::colorProperty<AboutBox, Get, Let>(m, name, id);
}

template <void (AboutBox::*Run)()>
void method(std::vector<Member>& m, std::string_view name, int id) {
  m.push_back({name, methodId(id), MemberKind::Method, {}, t::Void, [](Object& o, std::span<Variant>) {
                 (self(o).*Run)();
                 return Variant();
               }});
}

const MemberTable& members() {
  static const MemberTable table = [] {
    using A = AboutBox;
    std::vector<Member> m;
    m.push_back({"AboutStyle", propertyId(0x0D), MemberKind::Get, {}, t::Long,
                 [](Object& o, std::span<Variant>) { return Variant(self(o).AboutStyle()); }});
    m.push_back({"AboutStyle", propertyId(0x0D), MemberKind::Let,
                 {in("RHS", t::enumOf("ZSAboutBoxConstants"))}, t::Void,
                 [](Object& o, std::span<Variant> a) {
                   self(o).AboutStyle(a[0].lng());
                   return Variant();
                 }});
    text<&A::WebsiteUrl, &A::WebsiteUrl>(m, "WebsiteUrl", 0x0C);
    text<&A::Mailto, &A::Mailto>(m, "Mailto", 0x0B);
    text<&A::Copyright, &A::Copyright>(m, "Copyright", 0x0A);
    text<&A::CopyrightWarning, &A::CopyrightWarning>(m, "CopyrightWarning", 0x09);
    text<&A::ProductDescription, &A::ProductDescription>(m, "ProductDescription", 0x08);
    branding::pictureProperty<A, &A::ProductLogo, &A::ProductLogo>(m, "ProductLogo", 0x07);
    text<&A::ProductName, &A::ProductName>(m, "ProductName", 0x06);
    text<&A::ProductVersion, &A::ProductVersion>(m, "ProductVersion", 0x05);
    color<&A::ProductNameColor, &A::ProductNameColor>(m, "ProductNameColor", 0x04);
    color<&A::CopyrightColor, &A::CopyrightColor>(m, "CopyrightColor", 0x03);
    color<&A::CopyrightWarningColor, &A::CopyrightWarningColor>(m, "CopyrightWarningColor", 0x02);
    color<&A::ProductDescriptionColor, &A::ProductDescriptionColor>(m, "ProductDescriptionColor", 0x01);
    color<&A::ProductVersionColor, &A::ProductVersionColor>(m, "ProductVersionColor", 0x00);
    method<&A::ShowAbout>(m, "ShowAbout", 0x0E);
    method<&A::About>(m, "About", 0x13);
    return MemberTable(std::move(m));
  }();
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSAboutBoxConstants",
       {{"zvAboutStandard", branding::zvAboutStandard}, {"zvAbout2000", branding::zvAbout2000}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSAboutBox{members, [] { return ObjectPtr(create<AboutBox>()); }, enums};

const ClassInfo* AboutBox::classInfo() const { return &zs::classInfo(ClassId::ZSAboutBox); }

}  // namespace zs
