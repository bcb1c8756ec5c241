// Compares a splash window captured from the Win32 presenter (client area,
// BMP) with the Linux rendering of the same style (PNG, frame included),
// region by region: the same size; each label's ink where the Linux layout
// puts it, within a few pixels (fonts rasterise differently); the colours the
// style fixes (the Zavrin band and yellow product name) exactly.
// usage: branding_capture_compare STYLE LINUX.png WIN32.bmp
// Prints one line per difference and exits 1 when there is any.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "branding/picture.h"
#include "branding/posix/pango_text.h"
#include "branding/splash_layouts.h"
#include "branding/splash_screen.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: branding_capture_compare STYLE LINUX.png WIN32.bmp\n");
    return 2;
  }
  try {
    const int style = std::atoi(argv[1]);
    const auto linuxPicture = loadPicture(argv[2]), winPicture = loadPicture(argv[3]);
    int differences = 0;
    auto differ = [&](const std::string& what) {
      std::printf("style %d: %s\n", style, what.c_str());
      ++differences;
    };

    // The layout as the control's defaults fill it on Linux.
    auto control = create<SplashScreen>();
    control->InitProperties();
    SplashValues values{control->LicenseTo(), control->CompanyName(), nullptr, control->ProductName(),
                        control->ProductNameColor(), nullptr, nullptr, control->Platform(),
                        control->ProductVersion(), control->Copyright(), control->CopyrightOwner(),
                        control->CopyrightWarning()};
    posix::PangoMeasurer measurer;
    Window w = designedSplash(style);
    fillSplash(w, style, values, measurer);

    const int cw = w.clientWidth / kTwipsPerPixel, ch = w.clientHeight / kTwipsPerPixel;
    const View lin{*linuxPicture->image(), kFramePixels, cw, ch}, win{*winPicture->image(), 0, cw, ch};
    if (win.image.width != cw || win.image.height != ch)
      differ("client size " + std::to_string(win.image.width) + "x" + std::to_string(win.image.height) +
             ", expected " + std::to_string(cw) + "x" + std::to_string(ch));

    constexpr int kSlack = 10;  // pixels around each label's box
    for (const Element& e : w.elements) {
      if (e.kind != ElementKind::Label || e.text.empty()) continue;
      Box b = w.clientBox(e);
      b = {b.left / kTwipsPerPixel - kSlack, b.top / kTwipsPerPixel - 2, b.width / kTwipsPerPixel + 2 * kSlack,
           b.height / kTwipsPerPixel + 4};
      const Box a = ink(lin, b), c = ink(win, b);
      if (c.width == 0) {
        differ(e.name + ": no text in the capture");
        continue;
      }
      auto near = [](int x, int y, int tolerance) { return std::abs(x - y) <= tolerance; };
      const int tolerance = 3 + static_cast<int>(a.width / 12);  // wider texts drift more
      if (!near(a.top, c.top, 4) || !near(a.bottom(), c.bottom(), 6))
        differ(e.name + ": text rows " + std::to_string(c.top) + "-" + std::to_string(c.bottom()) +
               ", Linux " + std::to_string(a.top) + "-" + std::to_string(a.bottom()));
      const bool leftEdge = e.align == Align::Left, rightEdge = e.align == Align::Right;
      if ((leftEdge && !near(a.left, c.left, 4)) || (rightEdge && !near(a.right(), c.right(), 4)) ||
          !near(a.width, c.width, tolerance))
        differ(e.name + ": text columns " + std::to_string(c.left) + "-" + std::to_string(c.right()) +
               ", Linux " + std::to_string(a.left) + "-" + std::to_string(a.right()));
    }

    if (style == zvZavrin) {
      const Box band{0, 0, cw, 2295 / kTwipsPerPixel};
      if (win.at(cw - 4, band.bottom() - 4) != 0x404040) differ("the dark band's colour");
      const Box name = w.clientBox(w.element("lblProductName"));
      const Box px{name.left / 15, name.top / 15, name.width / 15, name.height / 15};
      if (count(win, px, 0xFFFF00) < 50) differ("the product name is not yellow");
    }
    if (style == zvThe2000Look && win.at(cw - 4, 4) != 0xFFFFFF) differ("the white band");
    if (differences == 0) std::printf("style %d: the capture matches the Linux rendering\n", style);
    return differences ? 1 : 0;
  } catch (const Error& e) {
    std::fprintf(stderr, "branding_capture_compare: %s\n", e.description().c_str());
    return 2;
  }
}
