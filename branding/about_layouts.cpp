#include "branding/about_layouts.h"

#include <string>

#include "branding/element_builders.h"
#include "branding/ole_color.h"
#include "core/error.h"

namespace zs::branding {
namespace {

using namespace build;

// The dialogs' own font, for elements without a font of their own.
constexpr const char* kDialogFace = "MS Sans Serif";
constexpr OleColor kCaptionFaceBack = 0x8000000A;
constexpr OleColor kGrey = 0x00808080, kWhite = 0x00FFFFFF;

Element button(const char* name, int l, int t, int w, int h) {
  return frame(name, l, t, w, h, ElementKind::Button);
}

LabelSpec dialogLabel(const char* name, int l, int t, int w, int h) {
  return label(name, l, t, w, h, 8.25).face(kDialogFace);
}

LabelSpec link(const char* name, int l, int t, int w, int h) {
  return label(name, l, t, w, h, 8.25).face(kDialogFace).underline().color(kLinkColor);
}

LabelSpec captionFace(const char* name, const char* text, int l, int t, int w, int h) {
  return label(name, l, t, w, h, 8.25).face(kDialogFace).centre().text(text).back(kCaptionFaceBack);
}

Window standard() {
  Window w{"frmAboutStandard", 5700, 4755, kButtonFace, {}, {}};
  w.elements = {
      captionFace("Text1", "OK", 4290, 3780, 1155, 225).color(kCaptionFaceText),
      captionFace("Text2", "System Info...", 4290, 4230, 1125, 225),
      image("picIcon", 240, 120, 720, 720),
      button("cmdOK", 4245, 3705, 1260, 345),
      button("cmdSysInfo", 4260, 4155, 1245, 345),
      label("lblCopyright", 120, 3120, 5535, 225, 8.25).centre(),
      dialogLabel("Label1", 1080, 2760, 630, 195).text("Website:").autoSize(),
      dialogLabel("Label2", 1080, 2400, 465, 195).text("E-mail:").autoSize(),
      link("lblUrl", 1800, 2760, 3795, 225),
      link("lblMail", 1800, 2400, 3795, 225),
      line("Line1(1)", 0, 3525, 5760, 3525, kGrey, 1),
      dialogLabel("lblDescription", 90, 960, 5505, 1290).color(0),
      label("lblTitle", 1050, 120, 4605, 345, 12).bold().color(0),
      line("Line1(0)", 0, 3540, 5760, 3540, kWhite, 2),
      label("lblVersion", 1050, 480, 4605, 225, 9.75).bold(),
      dialogLabel("lblDisclaimer", 120, 3600, 3975, 1065).color(0),
  };
  return w;
}

Window the2000() {
  Window w{"frmAbout2000", 5745, 4770, kButtonFace, {}, {}};
  w.elements = {
      captionFace("Text2", "System Info...", 4380, 4230, 1125, 225),
      captionFace("Text1", "OK", 4380, 3780, 1155, 225).color(kCaptionFaceText),
      image("picIcon", 240, 120, 720, 720),
      band("picIconBack", 240, 120, 720, 720, kWhite, kWhite),
      button("cmdOK", 4320, 3705, 1260, 345),
      button("cmdSysInfo", 4320, 4155, 1245, 345),
      line("Line2", 0, 2160, 5760, 2160, kWindowBackground, 1),
      line("Line1", 0, 2160, 5760, 2160, kWindowText, 2),
      link("lblMail", 1800, 1200, 3855, 225).transparent(),
      link("lblUrl", 1800, 1560, 3825, 255).transparent(),
      dialogLabel("Label2", 1080, 1200, 465, 195).text("E-mail:").autoSize().transparent(),
      dialogLabel("Label1", 1080, 1560, 630, 195).text("Website:").autoSize().transparent(),
      label("lblVersion", 1080, 480, 4605, 225, 9.75).bold().transparent(),
      label("lblTitle", 1080, 120, 4605, 315, 12).bold().color(0).transparent(),
      label("lblCopyright", 120, 1920, 5535, 255, 8.25).centre().transparent(),
      band("Shape1", -30, 0, 5775, 2175, kWhite, kWindowBackground),
      dialogLabel("lblDescription", 150, 2280, 5445, 1170).color(0),
      dialogLabel("lblDisclaimer", 150, 3600, 3975, 1065).color(0),
  };
  return w;
}


void setText(Window& w, std::string_view element, const String& text, TextMeasurer& m) {
  setLabelText(w.element(element), u8(text), m);
}

// A link becomes auto-size on one line: it takes its text's size, keeping
// its left and top.
void setLink(Window& w, std::string_view element, const String& text, TextMeasurer& m) {
  Element& e = w.element(element);
  e.autoSize = true;
  e.wordWrap = false;
  setLabelText(e, u8(text), m);
}

}  // namespace

Window designedAbout(int style, TextMeasurer& m) {
  Window w;
  switch (style) {
    case zvAboutStandard: w = standard(); break;
    case zvAbout2000: w = the2000(); break;
    default: throw Error(5, "No about style " + std::to_string(style));
  }
  // The load step: the library's own title and version until a show fills them.
  w.caption = "About " + std::string(kLibraryTitle);
  w.element("lblVersion").text = "Version " + std::to_string(kLibraryMajor) + "." +
                                 std::to_string(kLibraryMinor) + "." + std::to_string(kLibraryRevision);
  w.element("lblTitle").text = std::string(kLibraryTitle);
  // The two auto-size captions take the size of their design texts.
  for (const char* name : {"Label1", "Label2"}) setLabelText(w.element(name), w.element(name).text, m);
  return w;
}

void fillAbout(Window& w, const AboutValues& v, TextMeasurer& m) {
  w.caption = "About " + u8(v.productName);
  setText(w, "lblTitle", v.productName, m);
  w.element("lblTitle").foreColor = v.productNameColor;
  setText(w, "lblVersion", v.productVersion, m);
  w.element("lblVersion").foreColor = v.productVersionColor;
  setLink(w, "lblMail", v.mailto, m);
  setLink(w, "lblUrl", v.websiteUrl, m);
  setText(w, "lblCopyright", v.copyright, m);
  w.element("lblCopyright").foreColor = v.copyrightColor;
  setText(w, "lblDescription", v.productDescription, m);
  w.element("lblDescription").foreColor = v.productDescriptionColor;
  setText(w, "lblDisclaimer", v.copyrightWarning, m);
  w.element("lblDisclaimer").foreColor = v.copyrightWarningColor;
  w.element("picIcon").picture = pictureOf(v.productLogo);
}

}  // namespace zs::branding
