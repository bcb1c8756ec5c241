// ZSSplashScreen in the catalogue: its properties, ShowSplash, HideSplash,
// About and ZSSplashScreenConstants.
#include "branding/splash_screen.h"
#include "branding/property_members.h"
#include "frame/bindings.h"

namespace zs {
namespace {

SplashScreen& self(Object& o) { return static_cast<SplashScreen&>(o); }

template <String (SplashScreen::*Get)() const, void (SplashScreen::*Let)(String)>
void text(std::vector<Member>& m, std::string_view name, int id) {
  branding::textProperty<SplashScreen, Get, Let>(m, name, id);
}

template <ObjectPtr (SplashScreen::*Get)() const, void (SplashScreen::*Set)(ObjectPtr)>
void picture(std::vector<Member>& m, std::string_view name, int id) {
  branding::pictureProperty<SplashScreen, Get, Set>(m, name, id);
}

const MemberTable& members() {
  static const MemberTable table = [] {
    std::vector<Member> m;
    branding::colorProperty<SplashScreen, &SplashScreen::ProductNameColor, &SplashScreen::ProductNameColor>(
        m, "ProductNameColor", 0x00);
    text<&SplashScreen::Platform, &SplashScreen::Platform>(m, "Platform", 0x01);
    m.push_back({"SplashStyle", propertyId(0x02), MemberKind::Get, {}, t::Long,
                 [](Object& o, std::span<Variant>) { return Variant(self(o).SplashStyle()); }});
    m.push_back({"SplashStyle", propertyId(0x02), MemberKind::Let,
                 {in("RHS", t::enumOf("ZSSplashScreenConstants"))}, t::Void,
                 [](Object& o, std::span<Variant> a) {
                   self(o).SplashStyle(a[0].lng());
                   return Variant();
                 }});
    text<&SplashScreen::CopyrightWarning, &SplashScreen::CopyrightWarning>(m, "CopyrightWarning", 0x03);
    text<&SplashScreen::CopyrightOwner, &SplashScreen::CopyrightOwner>(m, "CopyrightOwner", 0x04);
    text<&SplashScreen::Copyright, &SplashScreen::Copyright>(m, "Copyright", 0x05);
    text<&SplashScreen::ProductVersion, &SplashScreen::ProductVersion>(m, "ProductVersion", 0x06);
    picture<&SplashScreen::ProductLogo, &SplashScreen::ProductLogo>(m, "ProductLogo", 0x07);
    picture<&SplashScreen::ProductNameImage, &SplashScreen::ProductNameImage>(m, "ProductNameImage", 0x08);
    text<&SplashScreen::ProductName, &SplashScreen::ProductName>(m, "ProductName", 0x09);
    picture<&SplashScreen::CompanyNameImage, &SplashScreen::CompanyNameImage>(m, "CompanyNameImage", 0x0A);
    text<&SplashScreen::CompanyName, &SplashScreen::CompanyName>(m, "CompanyName", 0x0B);
    text<&SplashScreen::LicenseTo, &SplashScreen::LicenseTo>(m, "LicenseTo", 0x0C);
    m.push_back({"ShowSplash", methodId(0x0D), MemberKind::Method, {}, t::Variant,
                 [](Object& o, std::span<Variant>) { return self(o).ShowSplash(); }});
    m.push_back({"HideSplash", methodId(0x0E), MemberKind::Method, {}, t::Variant,
                 [](Object& o, std::span<Variant>) { return self(o).HideSplash(); }});
    m.push_back({"About", methodId(0x13), MemberKind::Method, {}, t::Void,
                 [](Object& o, std::span<Variant>) {
                   self(o).About();
                   return Variant();
                 }});
    return MemberTable(std::move(m));
  }();
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSSplashScreenConstants",
       {{"zvStandard", branding::zvStandard},
        {"zvSerated", branding::zvSerated},
        {"zvThe98Look", branding::zvThe98Look},
        {"zvThe2000Look", branding::zvThe2000Look},
        {"zvZavrin", branding::zvZavrin}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSSplashScreen{members, [] { return ObjectPtr(create<SplashScreen>()); },
                                            enums};

const ClassInfo* SplashScreen::classInfo() const { return &zs::classInfo(ClassId::ZSSplashScreen); }

}  // namespace zs
