// Pixel checks of rendered splash windows (Liberation Sans at 96 dpi).
#include "branding/posix/cairo_renderer.h"

#include <gtest/gtest.h>

#include "core/error.h"

#include <filesystem>

#include "branding/image_decode.h"
#include "branding/posix/pango_text.h"
#include "branding/splash_layouts.h"
#include "branding/testing/rendered.h"
#include "platform/testing/temp_folder.h"

namespace zs::branding::posix {
namespace {

constexpr std::uint32_t kFace = 0xFFC0C0C0, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000,
                        kDarkGrey = 0xFF404040;

SplashValues values() {
  SplashValues v;
  v.licenseTo = u"Valued Customer";
  v.companyName = u"Your Company";
  v.productName = u"Your Product";
  v.productNameColor = 0x000000FF;  // red
  v.platform = u"For Windows 95, 98, NT, 2000 and XP";
  v.productVersion = u"Version 1.0 Build 0";
  v.copyright = u"Copyright (C)";
  v.copyrightOwner = u"Your Company";
  v.copyrightWarning = u"Warning: this program is protected by copyright law and international treaties.";
  return v;
}

using testing::Rendered;

Rendered render(int style, const SplashValues& v = values()) {
  PangoMeasurer measurer;
  Window w = designedSplash(style);
  fillSplash(w, style, v, measurer);
  Image img = renderWindow(w);
  return {std::move(w), std::move(img)};
}

TEST(CairoRenderer, ImageHasTheOuterSizeAndTheThinFrame) {
  for (int style = 0; style < kSplashStyles; ++style) {
    const Rendered r = render(style);
    EXPECT_EQ(r.image.width, r.window.outerWidth() / 15);
    EXPECT_EQ(r.image.height, r.window.outerHeight() / 15);
    EXPECT_EQ(r.image.at(r.image.width - 1, r.image.height - 1), kBlack);  // dark shadow corner
    EXPECT_EQ(r.image.at(1, 1), kWhite);                                  // highlight
  }
}

TEST(CairoRenderer, BandsRulesAndBackgrounds) {
  struct Case {
    int style, x, y;
    std::uint32_t colour;
  } cases[] = {
      {zvZavrin, 480, 140, kDarkGrey},    {zvZavrin, 5, 170, kFace},          // dark band, face below
      {zvThe2000Look, 480, 100, kWhite},  {zvThe2000Look, 200, 143, kBlack},  // white band, rule
      {zvThe2000Look, 200, 144, kWhite},  {zvThe2000Look, 200, 160, kFace},
      {zvSerated, 300, 7, kBlack},        {zvSerated, 300, 8, kWhite},        // three engraved rules
      {zvSerated, 400, 23, kBlack},       {zvSerated, 400, 24, kWhite},
      {zvSerated, 450, 39, kBlack},       {zvSerated, 450, 40, kWhite},
      {zvSerated, 200, 8, kFace},         {zvStandard, 100, 200, kFace},
      {zvStandard, 10, 4, 0xFF808080},    {zvStandard, 11, 5, kWhite},        // etched frame at 150, 60
  };
  for (const auto& c : cases) {
    const Rendered r = render(c.style);
    EXPECT_EQ(r.at(c.x, c.y), c.colour) << "style " << c.style << " at " << c.x << "," << c.y;
  }
}

TEST(CairoRenderer, RightAlignedTextsEndAtTheirRightEdge) {
  struct Case {
    int style;
    const char* label;
    std::uint32_t background;
  } cases[] = {
      {zvZavrin, "lblCopyright", kFace},   {zvZavrin, "lblCompany", kFace},
      {zvStandard, "lblVersion", kFace},   {zvStandard, "lblPlatform", kFace},
      {zvThe98Look, "lblLicenseTo", kFace}, {zvThe2000Look, "lblVersion", kFace},
  };
  for (const auto& c : cases) {
    const Rendered r = render(c.style);
    const Window design = designedSplash(c.style);
    const int right = design.clientBox(design.element(c.label)).right() / 15;
    const Box ink = r.ink(r.pixels(c.label), c.background);
    ASSERT_GT(ink.width, 0) << c.label;
    EXPECT_LE(ink.right(), right) << c.style << c.label;
    EXPECT_GE(ink.right(), right - 3) << c.style << c.label;
  }
}

TEST(CairoRenderer, WarningEndsAtItsMarginWhateverItsLength) {
  for (int style = 0; style < kSplashStyles; ++style) {
    for (int words : {3, 60}) {
      SplashValues v = values();
      v.copyrightWarning.clear();
      for (int i = 0; i < words; ++i) v.copyrightWarning += u"protected ";
      const Rendered r = render(style, v);
      const Box box = r.pixels("lblWarning");
      const int bottom = (r.window.outerHeight() - kWarningMargin[static_cast<std::size_t>(style)]) / 15;
      const int frameTop = style == zvStandard ? 4 : 0;  // the frame's offset in client pixels
      EXPECT_EQ(box.bottom(), bottom + frameTop) << style;
      const Box ink = r.ink(box, kFace);
      EXPECT_LE(ink.bottom(), box.bottom());
      EXPECT_GE(ink.bottom(), box.bottom() - 6) << style << " " << words;
    }
  }
}

TEST(CairoRenderer, ProductNameColourPerStyle) {
  for (int style = 0; style < kSplashStyles; ++style) {
    const Rendered r = render(style);
    const Box box = r.pixels("lblProductName");
    const std::uint32_t want = style == zvZavrin ? 0xFFFFFF00 : 0xFFFF0000;
    int hits = 0;
    for (int y = box.top; y < box.bottom(); ++y)
      for (int x = box.left; x < box.right(); ++x) hits += r.at(x, y) == want;
    EXPECT_GT(hits, 50) << style;
  }
}

TEST(CairoRenderer, ImagesLieInFrontOfTextAndKeepTheirOwnSize) {
  SplashValues v = values();
  v.productName = u"WWWWWWWWWWWW";
  v.productNameImage =
      std::make_shared<Picture>(Image{40, 20, std::vector<std::uint32_t>(800, 0xFF00FF00)});
  for (int style = 0; style < kSplashStyles; ++style) {
    const Rendered r = render(style, v);
    const Box img = r.pixels("imgProductNameImage");
    EXPECT_EQ(r.at(img.left, img.top), 0xFF00FF00u) << style;
    EXPECT_EQ(r.at(img.left + 39, img.top + 19), 0xFF00FF00u) << style;
    EXPECT_NE(r.at(img.left + 40, img.top + 5), 0xFF00FF00u) << style;  // not stretched
  }
}

// A string may hold a lone surrogate (a script's ChrW(&HD800)); its text is
// then not UTF-8. It is measured and drawn as U+FFFD, and nothing is written
// on standard error (a host's protocol or log may be there).
TEST(CairoRenderer, TextThatIsNotUtf8IsDrawnWithoutWritingToStandardError) {
  SplashValues v = values();
  v.productName = String(u"Your ") + char16_t(0xD800) + u"Product";
  v.copyrightWarning = char16_t(0xDC00) + String(u" warning");
  ::testing::internal::CaptureStderr();
  const Rendered r = render(zvStandard, v);
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(written, "");
  const Element& name = r.window.element("lblProductName");
  EXPECT_GT(name.box.width, render(zvStandard).window.element("lblProductName").box.width);
  EXPECT_GT(r.ink(r.pixels("lblWarning"), kFace).width, 0);
}

TEST(CairoRenderer, PngRoundTrip) {
  platform::testsupport::TempFolder dir;
  const Rendered r = render(zvThe2000Look);
  const std::string path = dir.path() + "/splash.png";
  writePng(r.image, path);
  const auto loaded = loadPicture(path);
  ASSERT_NE(loaded->image(), nullptr);
  EXPECT_EQ(loaded->image()->pixels, r.image.pixels);
  EXPECT_THROW(writePng(r.image, dir.path() + "/missing/x.png"), Error);
}

}  // namespace
}  // namespace zs::branding::posix
