#include "branding/suite_about.h"

#include "branding/element_builders.h"
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

SuiteAboutClick suiteAboutClickAt(const Window& window, int x, int y) {
  auto at = [&](std::string_view name) { return window.clientBox(window.element(name)).contains(x, y); };
  if (at("cmdOK")) return {true, {}};
  if (at("lblLink")) return {false, std::string(kMakerLink)};
  if (at("lblMail")) return {false, "mailto:" + std::string(kMakerMail)};
  return {};
}

Window suiteAboutWindow() {
  Window w{"frmSuiteAbout", 5400, 2520, kButtonFace, {}, {}};
  w.elements = {
      build::label("lblOK", 4080, 2025, 1080, 255, 8.25).text("OK").centre().transparent(),
      build::band("cmdOK", 4080, 1980, 1080, 345, kButtonFace, kDarkShadow),
      text("lblTitle", {240, 240, 4920, 330}, kSuiteTitle, 12, true),
      text("lblVersion", {240, 660, 4920, 255}, kSuiteVersion, 8.25),
      text("lblMaker", {240, 960, 4920, 255}, "Made by Velquorsoft", 8.25),
      link("lblLink", {240, 1200, 4920, 255}, kMakerLink),
      link("lblMail", {240, 1440, 4920, 255}, kMakerMail),
      build::line("linRule", 240, 1830, 5160, 1830, kButtonShadow, 1),
  };
  return w;
}

}  // namespace zs::branding
