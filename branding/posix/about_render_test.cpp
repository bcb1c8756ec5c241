// Pixel checks of the rendered about dialogs (Liberation Sans at 96 dpi).
#include <gtest/gtest.h>

#include "branding/about_events.h"
#include "branding/about_layouts.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/testing/rendered.h"

namespace zs::branding::posix {
namespace {

using testing::Rendered;

constexpr std::uint32_t kFace = 0xFFC0C0C0, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kGrey = 0xFF808080,
                        kDarkBlue = 0xFF0000C0, kBrightBlue = 0xFF0000FF;

Window filled(int style) {
  PangoMeasurer m;
  Window w = designedAbout(style, m);
  AboutValues v;
  v.productName = u"Widget";
  v.productVersion = u"Version 2";
  v.websiteUrl = u"www.example.org";
  v.mailto = u"help@example.org";
  v.copyright = u"Copyright (C) Somebody";
  v.productDescription = u"A widget.";
  v.copyrightWarning = u"Warning.";
  fillAbout(w, v, m);
  return w;
}

Rendered render(const Window& w) { return {w, renderWindow(w)}; }

bool hasColour(const Rendered& r, const Box& b, std::uint32_t colour) {
  for (int y = b.top; y < b.bottom(); ++y)
    for (int x = b.left; x < b.right(); ++x)
      if (r.at(x, y) == colour) return true;
  return false;
}

TEST(AboutRender, TheStandardDialogHasItsEtchedSeparatorAndButtonFace) {
  const Rendered r = render(filled(zvAboutStandard));
  EXPECT_EQ(r.image.width, 5700 / 15 + 6);
  EXPECT_EQ(r.image.height, 4755 / 15 + 6);
  EXPECT_EQ(r.at(2, 2), kFace);
  // The grey rule at row 235 in front of the two-pixel white rule (rows 235
  // and 236): grey over white, etched.
  EXPECT_EQ(r.at(2, 234), kFace);
  EXPECT_EQ(r.at(2, 235), kGrey);
  EXPECT_EQ(r.at(2, 236), kWhite);
  EXPECT_EQ(r.at(2, 237), kFace);
}

TEST(AboutRender, The2000LookHasAWhiteBandClosedByARule) {
  const Rendered r = render(filled(zvAbout2000));
  EXPECT_EQ(r.at(2, 60), kWhite);             // band behind the transparent texts
  // The two-pixel window-text rule (rows 143 and 144) under the one-pixel
  // white rule at row 144, then the button face below the band.
  EXPECT_EQ(r.at(200, 142), kWhite);
  EXPECT_EQ(r.at(200, 143), kBlack);
  EXPECT_EQ(r.at(200, 144), kWhite);
  EXPECT_EQ(r.at(200, 145), kFace);
  // The title text on the band: black ink on white.
  EXPECT_NE(r.ink(r.pixels("lblTitle"), kWhite), Box{});
}

TEST(AboutRender, LinksAreDarkBlueAtRestAndBrightBlueUnderThePointer) {
  for (int style : {0, 1}) {
    Window w = filled(style);
    const Rendered rest = render(w);
    EXPECT_TRUE(hasColour(rest, rest.pixels("lblUrl"), kDarkBlue)) << style;
    EXPECT_FALSE(hasColour(rest, rest.pixels("lblUrl"), kBrightBlue)) << style;
    const Box url = w.clientBox(w.element("lblUrl"));
    ASSERT_TRUE(pointerMoved(w, url.left + url.width / 2, url.top + url.height / 2));
    const Rendered hover = render(w);
    EXPECT_TRUE(hasColour(hover, hover.pixels("lblUrl"), kBrightBlue)) << style;
    EXPECT_TRUE(hasColour(hover, hover.pixels("lblMail"), kDarkBlue)) << style;
  }
}

}  // namespace
}  // namespace zs::branding::posix
