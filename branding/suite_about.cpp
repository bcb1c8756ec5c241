#include "branding/suite_about.h"

#include "branding/ole_color.h"

namespace zs::branding {
namespace {

Element text(const char* name, Box box, std::string_view value, double points, bool bold = false) {
  Element e;
  e.name = name;
  e.box = box;
  e.text = std::string(value);
  e.font.points = points;
  e.font.bold = bold;
  return e;
}

// A link: underlined, in blue.
Element link(const char* name, Box box, std::string_view value) {
  Element e = text(name, box, value, 8.25);
  e.font.underline = true;
  e.foreColor = 0x00FF0000;
  return e;
}

}  // namespace

Window suiteAboutWindow() {
  Window w{"frmSuiteAbout", 5400, 2520, kButtonFace, {}, {}};
  Element ok = text("lblOK", {4080, 2025, 1080, 255}, "OK", 8.25);
  ok.align = Align::Centre;
  ok.transparent = true;
  Element button;
  button.name = "cmdOK";
  button.kind = ElementKind::Band;
  button.box = {4080, 1980, 1080, 345};
  button.fillColor = kButtonFace;
  button.borderColor = kDarkShadow;
  Element rule;
  rule.name = "linRule";
  rule.kind = ElementKind::Line;
  rule.box = {240, 1830, 4920, 0};
  rule.foreColor = kButtonShadow;
  w.elements = {
      ok,
      button,
      text("lblTitle", {240, 240, 4920, 330}, kSuiteTitle, 12, true),
      text("lblVersion", {240, 660, 4920, 255}, kSuiteVersion, 8.25),
      text("lblMaker", {240, 960, 4920, 255}, "Made by Velquorsoft", 8.25),
      link("lblLink", {240, 1200, 4920, 255}, kMakerLink),
      link("lblMail", {240, 1440, 4920, 255}, kMakerMail),
      rule,
  };
  return w;
}

}  // namespace zs::branding
