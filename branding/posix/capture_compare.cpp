// Compares a splash window, about dialog or the suite about window captured
// from the Win32 presenters (client area, BMP) with the Linux rendering of the
// same window (PNG, frame included), region by region: the same size; each
// label's ink where the Linux layout puts it, within a few pixels (fonts
// rasterise differently); the colours the window fixes exactly (the Zavrin
// band and yellow product name, the white bands, an about dialog's web link at
// rest or under the pointer, the suite about window's links); the suite about
// window's rule and OK button where the layout puts them.
// usage: branding_capture_compare STYLE LINUX.png WIN32.bmp
//        branding_capture_compare --about STYLE [--hover ELEMENT] LINUX.png WIN32.bmp
//        branding_capture_compare --suite LINUX.png WIN32.bmp
// Prints one line per difference and exits 1 when there is any.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "branding/about_box.h"
#include "branding/about_events.h"
#include "branding/about_layouts.h"
#include "branding/picture.h"
#include "branding/posix/pango_text.h"
#include "branding/splash_layouts.h"
#include "branding/splash_screen.h"
#include "branding/suite_about.h"
#include "core/error.h"

using namespace zs;
using namespace zs::branding;

namespace {

struct View {
  const Image& image;
  int offset;  // the frame around the client area, in pixels
  int width, height;  // of the client area
  std::uint32_t at(int x, int y) const { return image.at(x + offset, y + offset) & 0xFFFFFF; }
  bool inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && x + offset < image.width && y + offset < image.height;
  }
};

// The bounds of the pixels of `b` (client pixels) that differ from the
// region's most frequent colour; empty when there are none.
Box ink(const View& v, Box b) {
  std::map<std::uint32_t, int> count;
  for (int y = b.top; y < b.bottom(); ++y)
    for (int x = b.left; x < b.right(); ++x)
      if (v.inside(x, y)) ++count[v.at(x, y)];
  std::uint32_t background = 0;
  int best = -1;
  for (auto [c, n] : count)
    if (n > best) best = n, background = c;
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
  for (int y = b.top; y < b.bottom(); ++y)
    for (int x = b.left; x < b.right(); ++x)
      if (v.inside(x, y) && v.at(x, y) != background)
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  return x1 < 0 ? Box{} : Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

int count(const View& v, Box b, std::uint32_t colour) {
  int n = 0;
  for (int y = b.top; y < b.bottom(); ++y)
    for (int x = b.left; x < b.right(); ++x) n += v.inside(x, y) && v.at(x, y) == colour;
  return n;
}

// Draws nothing: the layouts are only filled here.
class NoScreen final : public WindowPresenter {
 public:
  void show(int, const Window&) override {}
  void hide(int) override {}
};

// The splash window of a style as the control's defaults fill it on Linux.
Window splashLayout(int style, TextMeasurer& measurer) {
  auto control = create<SplashScreen>();
  control->InitProperties();
  SplashValues values{control->LicenseTo(), control->CompanyName(), nullptr, control->ProductName(),
                      control->ProductNameColor(), nullptr, nullptr, control->Platform(),
                      control->ProductVersion(), control->Copyright(), control->CopyrightOwner(),
                      control->CopyrightWarning()};
  Window w = designedSplash(style);
  fillSplash(w, style, values, measurer);
  return w;
}

// The about dialog of a style as ShowAbout fills it with the control's
// defaults on Linux (`zavrin about`), with the pointer resting on `hover`.
Window aboutLayout(int style, const std::string& hover, std::shared_ptr<TextMeasurer> measurer) {
  auto dialogs = std::make_shared<AboutDialogs>(std::move(measurer), std::make_shared<NoScreen>());
  auto control = create<AboutBox>(dialogs);
  control->InitProperties();
  control->AboutStyle(style);
  control->ShowAbout();
  Window w = dialogs->dialog(style);
  if (!hover.empty()) {
    const Box b = w.clientBox(w.element(hover));
    pointerMoved(w, b.left + b.width / 2, b.top + b.height / 2);
  }
  return w;
}

// Each label's ink where the Linux rendering has it.
void compareLabels(const Window& w, const View& lin, const View& win, const std::function<void(std::string)>& differ) {
  constexpr int kSlack = 10;  // pixels around each label's box
  for (const Element& e : w.elements) {
    if (e.kind != ElementKind::Label || e.text.empty()) continue;
    Box b = w.clientBox(e);
    // A label filled in a colour of its own (the caption boxes on their
    // buttons) is looked at inside its box: around it the system colours of
    // the two platforms differ.
    const bool ownFill = !e.transparent && e.backColor != w.background;
    const int slack = ownFill ? 0 : kSlack;
    b = {b.left / kTwipsPerPixel - slack, b.top / kTwipsPerPixel - (ownFill ? 0 : 2),
         b.width / kTwipsPerPixel + 2 * slack, b.height / kTwipsPerPixel + (ownFill ? 0 : 4)};
    const Box a = ink(lin, b), c = ink(win, b);
    if (c.width == 0) {
      differ(e.name + ": no text in the capture");
      continue;
    }
    auto near = [](int x, int y, int tolerance) { return std::abs(x - y) <= tolerance; };
    const int tolerance = 3 + static_cast<int>(a.width / 12);  // wider texts drift more
    if (!near(a.top, c.top, 4) || !near(a.bottom(), c.bottom(), 6))
      differ(e.name + ": text rows " + std::to_string(c.top) + "-" + std::to_string(c.bottom()) + ", Linux " +
             std::to_string(a.top) + "-" + std::to_string(a.bottom()));
    const bool leftEdge = e.align == Align::Left, rightEdge = e.align == Align::Right;
    if ((leftEdge && !near(a.left, c.left, 4)) || (rightEdge && !near(a.right(), c.right(), 4)) ||
        !near(a.width, c.width, tolerance))
      differ(e.name + ": text columns " + std::to_string(c.left) + "-" + std::to_string(c.right()) + ", Linux " +
             std::to_string(a.left) + "-" + std::to_string(a.right()));
  }
}

// An element's box in client pixels.
Box pixelBox(const Window& w, std::string_view name) {
  const Box b = w.clientBox(w.element(name));
  return {b.left / kTwipsPerPixel, b.top / kTwipsPerPixel, b.width / kTwipsPerPixel, b.height / kTwipsPerPixel};
}

// 0xRRGGBB of an OLE colour without the system bit.
std::uint32_t rgb(OleColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// The suite about window beyond its texts: both links in their blue, the rule
// and the OK button's border where the layout puts them, in the colour the
// Linux rendering gives them relative to the background (a system colour may
// differ between the platforms, the layout's lines and edges may not move).
void compareSuiteAbout(const Window& w, const View& lin, const View& win,
                       const std::function<void(std::string)>& differ) {
  for (const char* name : {"lblLink", "lblMail"}) {
    const std::uint32_t link = rgb(w.element(name).foreColor);
    const Box b = pixelBox(w, name);
    if (count(lin, b, link) == 0) differ(std::string("the Linux rendering lacks ") + name + "'s colour");
    if (count(win, b, link) < 10) differ(std::string(name) + " is not in its colour " + std::to_string(link));
  }
  // A pixel's kind: the background's colour or another.
  const std::uint32_t linBack = lin.at(2, 2), winBack = win.at(2, 2);
  auto sameKind = [&](int x, int y) { return (lin.at(x, y) == linBack) == (win.at(x, y) == winBack); };
  // The rule: one row across the window; the rows next to it are background.
  const Element& rule = w.element("linRule");
  const int ry = rule.box.top / kTwipsPerPixel, rx0 = rule.box.left / kTwipsPerPixel,
            rx1 = rule.box.right() / kTwipsPerPixel;
  int ruleMisses = 0;
  for (int x = rx0 + 1; x < rx1 - 1; ++x)
    for (int y : {ry - 1, ry, ry + 1}) ruleMisses += !sameKind(x, y);
  if (win.at((rx0 + rx1) / 2, ry) == winBack) differ("no rule at row " + std::to_string(ry));
  if (ruleMisses) differ("the rule differs from the Linux rendering in " + std::to_string(ruleMisses) + " pixels");
  // The OK button's border: its four edges and the pixels just inside and
  // outside them.
  const Box ok = pixelBox(w, "cmdOK");
  int edgeMisses = 0;
  for (int x = ok.left - 1; x <= ok.right(); ++x)
    for (int y : {ok.top - 1, ok.top, ok.top + 1, ok.bottom() - 2, ok.bottom() - 1, ok.bottom()})
      edgeMisses += !sameKind(x, y);
  for (int y = ok.top + 2; y < ok.bottom() - 2; ++y)
    for (int x : {ok.left - 1, ok.left, ok.left + 1, ok.right() - 2, ok.right() - 1, ok.right()})
      edgeMisses += !sameKind(x, y);
  if (win.at(ok.left, ok.top + ok.height / 2) == winBack) differ("no OK button border at its left edge");
  if (edgeMisses)
    differ("the OK button's border differs from the Linux rendering in " + std::to_string(edgeMisses) + " pixels");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool about = !args.empty() && args[0] == "--about";
  const bool suite = !args.empty() && args[0] == "--suite";
  if (about) args.erase(args.begin());
  if (suite) args[0] = "0";  // no style: the arguments line up with a style's
  std::string hover;
  if (about && args.size() == 5 && args[1] == "--hover") {
    hover = args[2];
    args.erase(args.begin() + 1, args.begin() + 3);
  }
  if (args.size() != 3) {
    std::fprintf(stderr,
                 "usage: branding_capture_compare STYLE LINUX.png WIN32.bmp\n"
                 "       branding_capture_compare --about STYLE [--hover ELEMENT] LINUX.png WIN32.bmp\n"
                 "       branding_capture_compare --suite LINUX.png WIN32.bmp\n");
    return 2;
  }
  try {
    const int style = std::atoi(args[0].c_str());
    const auto linuxPicture = loadPicture(args[1]), winPicture = loadPicture(args[2]);
    int differences = 0;
    const std::string what = suite ? std::string("suite about")
                                   : std::string(about ? "about " : "") + "style " + std::to_string(style) +
                                         (hover.empty() ? "" : " (pointer on " + hover + ")");
    auto differ = [&](const std::string& difference) {
      std::printf("%s: %s\n", what.c_str(), difference.c_str());
      ++differences;
    };

    auto measurer = std::make_shared<posix::PangoMeasurer>();
    const Window w = suite   ? suiteAboutWindow()
                     : about ? aboutLayout(style, hover, measurer)
                             : splashLayout(style, *measurer);
    const int cw = w.clientWidth / kTwipsPerPixel, ch = w.clientHeight / kTwipsPerPixel;
    const View lin{*linuxPicture->image(), kFramePixels, cw, ch}, win{*winPicture->image(), 0, cw, ch};
    if (win.image.width != cw || win.image.height != ch)
      differ("client size " + std::to_string(win.image.width) + "x" + std::to_string(win.image.height) +
             ", expected " + std::to_string(cw) + "x" + std::to_string(ch));
    compareLabels(w, lin, win, differ);

    if (suite) {
      compareSuiteAbout(w, lin, win, differ);
    } else if (about) {
      // The web link in its colour: GDI draws the underline in it exactly,
      // cairo's antialiased strokes hit it in a few pixels only.
      const std::uint32_t link = rgb(w.element("lblUrl").foreColor);
      const Box url = pixelBox(w, "lblUrl");
      if (count(lin, url, link) == 0) differ("the Linux rendering lacks the web link's colour");
      if (count(win, url, link) < 10) differ("the web link is not in its colour " + std::to_string(link));
      const std::uint32_t other = link == rgb(kLinkColor) ? rgb(kHoverColor) : rgb(kLinkColor);
      if (count(win, url, other) > 0) differ("the web link shows the colour it must not have");
      if (style == zvAbout2000 && win.at(cw - 4, 4) != 0xFFFFFF) differ("the white band");
    } else {
      if (style == zvZavrin) {
        const Box band{0, 0, cw, 2295 / kTwipsPerPixel};
        if (win.at(cw - 4, band.bottom() - 4) != 0x404040) differ("the dark band's colour");
        if (count(win, pixelBox(w, "lblProductName"), 0xFFFF00) < 50) differ("the product name is not yellow");
      }
      if (style == zvThe2000Look && win.at(cw - 4, 4) != 0xFFFFFF) differ("the white band");
    }
    if (differences == 0) std::printf("%s: the capture matches the Linux rendering\n", what.c_str());
    return differences ? 1 : 0;
  } catch (const Error& e) {
    std::fprintf(stderr, "branding_capture_compare: %s\n", e.description().c_str());
    return 2;
  }
}
