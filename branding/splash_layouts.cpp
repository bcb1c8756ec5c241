#include "branding/splash_layouts.h"

#include "branding/element_builders.h"
#include "branding/ole_color.h"
#include "core/error.h"

namespace zs::branding {
namespace {

using namespace build;

Window standard() {
  Window w{"frmStandard", 7380, 4830, kButtonFace, {}, {}};
  w.elements = {
      image("imgProductNameImage", 2520, 1080, 4335, 855),
      image("imgCompanyProductImage", 2520, 600, 4335, 495),
      image("imgLogo", 240, 360, 480, 480),
      label("lblCopyright", 2520, 3060, 4335, 255, 8.25).right(),
      label("lblCompany", 2520, 3300, 4335, 255, 8.25).right(),
      label("lblWarning", 150, 3660, 6765, 915, 8.25),
      label("lblVersion", 2535, 2700, 4320, 240, 9.75).bold().right().autoSize(),
      label("lblPlatform", 2565, 2340, 4290, 330, 14.25).bold().right().autoSize(),
      label("lblProductName", 2520, 1140, 4335, 660, 27.75).bold().autoSize(),
      label("lblLicenseTo", 120, 240, 6855, 255, 8.25).right(),
      label("lblCompanyProduct", 2595, 705, 4245, 330, 14.25).bold().autoSize(),
  };
  w.elements.push_back(frame("Frame1", 150, 60, 7080, 4635));
  const int frameIndex = static_cast<int>(w.elements.size()) - 1;
  for (int i = 0; i < frameIndex; ++i) w.elements[static_cast<std::size_t>(i)].container = frameIndex;
  return w;
}

Window serated() {
  Window w{"frmSerated", 7380, 4740, kButtonFace, {}, {}};
  w.elements = {
      image("imgProductNameImage", 2400, 960, 4815, 615),
      image("imgCompanyProductImage", 1920, 480, 3615, 375),
      line("Line6", 6240, 600, 7440, 600, kWindowBackground, 1),
      line("Line5", 5640, 360, 7440, 360, kWindowBackground, 1),
      line("Line4", 3840, 120, 7680, 120, kWindowBackground, 1),
      line("Line3", 6240, 600, 7440, 600, kWindowText, 2),
      line("Line2", 5640, 360, 7440, 360, kWindowText, 2),
      line("Line1", 3840, 120, 7440, 120, kWindowText, 2),
      label("lblCompanyProduct", 1920, 465, 3585, 285, 12).bold().autoSize(),
      label("lblLicenseTo", 240, 2880, 2535, 735, 8.25),
      label("lblProductName", 2400, 900, 4755, 660, 27.75).bold().autoSize(),
      label("lblPlatform", 1905, 2100, 5250, 330, 14.25).bold().right().autoSize(),
      label("lblVersion", 1845, 2460, 5280, 240, 9.75).bold().right().autoSize(),
      label("lblWarning", 120, 3840, 7095, 795, 8.25),
      label("lblCompany", 3000, 3030, 4095, 255, 8.25).right(),
      label("lblCopyright", 3120, 2820, 3975, 255, 8.25).right(),
      image("imgLogo", 240, 240, 480, 480),
  };
  return w;
}

Window the98Look() {
  Window w{"frmThe98Look", 8550, 3990, kButtonFace, {}, {}};
  w.elements = {
      image("imgLogo", 240, 240, 480, 480),
      image("imgProductNameImage", 2160, 1080, 6135, 615),
      image("imgCompanyPruductImage", 1680, 480, 6615, 495),
      label("lblCompanyProduct", 1680, 585, 6645, 330, 14.25).bold().color(0x00808080).autoSize(),
      label("lblLicenseTo", 240, 120, 8055, 255, 8.25).right(),
      label("lblProductName", 2280, 1020, 6075, 630, 27.75).bold().italic().color(0x00808080).autoSize(),
      label("lblPlatform", 300, 1920, 7995, 360, 15.75).bold().color(kButtonHighlight).centre().autoSize(),
      label("lblVersion", 1440, 2280, 6885, 285, 12).bold().right().autoSize(),
      label("lblWarning", 120, 2760, 3975, 1155, 8.25),
      label("lblCompany", 4440, 3600, 3855, 255, 8.25).right(),
      label("lblCopyright", 4320, 3360, 3975, 255, 8.25).right(),
  };
  return w;
}

Window the2000Look() {
  Window w{"frmThe2000Look", 7455, 4620, kButtonFace, {}, {}};
  w.elements = {
      line("Line2", 0, 2160, 7440, 2160, kCaptionText, 1),
      line("Line1", 0, 2160, 7440, 2160, kWindowText, 2),
      image("imgProductNameImage", 2160, 1080, 5055, 615),
      image("imgCompanyProductImage", 2160, 480, 5055, 495),
      label("lblCompanyProduct", 2235, 585, 5085, 330, 14.25).bold().color(0x00808080).transparent().autoSize(),
      label("lblLicenseTo", 360, 120, 6855, 255, 8.25).right().transparent(),
      label("lblProductName", 2280, 1020, 4995, 660, 27.75).bold().transparent().autoSize(),
      label("lblPlatform", 5940, 2340, 1275, 360, 15.75).bold().right().autoSize(),
      label("lblVersion", 6330, 2700, 885, 285, 12).bold().right().autoSize(),
      label("lblWarning", 240, 3660, 6975, 795, 8.25),
      label("lblCompany", 120, 3270, 7095, 255, 8.25).right(),
      label("lblCopyright", 120, 3060, 7095, 255, 8.25).right(),
      image("imgLogo", 240, 240, 480, 480),
      band("Shape1", 0, 0, 7455, 2175, kWindowBackground, kCaptionText),
  };
  return w;
}

Window zavrin() {
  Window w{"frmZavrin", 7380, 4500, kButtonFace, {}, {}};
  w.elements = {
      image("imgLogo", 240, 240, 1515, 1260),
      image("imgProductNameImage", 2280, 1080, 4935, 615),
      image("imgCompanyProductImage", 1920, 480, 5295, 495),
      label("lblCompanyProduct", 1920, 585, 5205, 330, 14.25).bold().color(0x00C00000).transparent().autoSize(),
      label("lblLicenseTo", 480, 120, 6855, 255, 8.25).color(0x00FFFFFF).right().transparent(),
      label("lblProductName", 2280, 1080, 4875, 630, 27.75).bold().italic().color(kZavrinProductNameColor).transparent().autoSize(),
      label("lblPlatform", 240, 2520, 6915, 360, 15.75).bold().centre().autoSize(),
      label("lblVersion", 2280, 1800, 4965, 285, 12).bold().color(kHighlightText).transparent().autoSize(),
      label("lblWarning", 120, 3600, 7095, 795, 8.25),
      label("lblCompany", 240, 3150, 6855, 255, 8.25).right(),
      label("lblCopyright", 240, 2940, 6855, 255, 8.25).right(),
      band("Shape1", 0, 0, 7455, 2295, 0x00404040, 0x00404040),
  };
  return w;
}

void setPicture(Window& w, std::string_view element, const ObjectPtr& picture) {
  w.element(element).picture = pictureOf(picture);
}

}  // namespace

Window designedSplash(int style) {
  switch (style) {
    case zvStandard: return standard();
    case zvSerated: return serated();
    case zvThe98Look: return the98Look();
    case zvThe2000Look: return the2000Look();
    case zvZavrin: return zavrin();
    default: throw Error(5, "No splash style " + std::to_string(style));
  }
}

void fillSplash(Window& w, int style, const SplashValues& v, TextMeasurer& m) {
  setLabelText(w.element("lblLicenseTo"), std::string(kLicensePrefix) + u8(v.licenseTo), m);
  setLabelText(w.element("lblCompanyProduct"), u8(v.companyName), m);
  setPicture(w, style == zvThe98Look ? "imgCompanyPruductImage" : "imgCompanyProductImage",
             v.companyNameImage);
  Element& productName = w.element("lblProductName");
  setLabelText(productName, u8(v.productName), m);
  productName.foreColor = v.productNameColor;
  setPicture(w, "imgProductNameImage", v.productNameImage);
  if (style == zvZavrin) productName.foreColor = kZavrinProductNameColor;
  setPicture(w, "imgLogo", v.productLogo);
  setLabelText(w.element("lblPlatform"), u8(v.platform), m);
  setLabelText(w.element("lblVersion"), u8(v.productVersion), m);
  setLabelText(w.element("lblCopyright"), u8(v.copyright), m);
  setLabelText(w.element("lblCompany"), u8(v.copyrightOwner), m);

  Element& warning = w.element("lblWarning");
  warning.wordWrap = true;
  warning.autoSize = true;
  setLabelText(warning, u8(v.copyrightWarning), m);
  // The warning's lower edge sits the style's margin above the window's outer
  // height, however many lines the text takes.
  const double h = roundTwips(warning.box.height);
  const double top = static_cast<double>(w.outerHeight()) - h - kWarningMargin[static_cast<std::size_t>(style)];
  warning.box.top = static_cast<int>(top);
}

}  // namespace zs::branding
