#include "branding/layout.h"

#include <gtest/gtest.h>

#include "core/error.h"

#include "branding/ole_color.h"
#include "branding/splash_layouts.h"
#include "branding/testing/fake_measurer.h"

namespace zs::branding {
namespace {

using testing::FakeMeasurer;

SplashValues defaults() {
  SplashValues v;
  v.licenseTo = u"Valued Customer";
  v.companyName = u"Your Company";
  v.productName = u"Your Product";
  v.platform = u"Platform";
  v.productVersion = u"Version 1.0 Build 0";
  v.copyright = u"Copyright";
  v.copyrightOwner = u"Owner";
  v.copyrightWarning = u"Warning text";
  v.productNameColor = 0x000000FF;
  return v;
}

TEST(OleColor, ResolvesByteOrderAndSystemIndexes) {
  struct Case {
    OleColor in;
    Rgb out;
  } cases[] = {
      {0x000000FF, {255, 0, 0}},      {0x0000FFFF, {255, 255, 0}},  {0x00C00000, {0, 0, 0xC0}},
      {0x00404040, {64, 64, 64}},     {kButtonFace, {192, 192, 192}}, {kWindowBackground, {255, 255, 255}},
      {kButtonText, {0, 0, 0}},       {kHighlightText, {255, 255, 255}}, {0x800000FF, {0, 0, 0}},
      {0x02123456, {0x56, 0x34, 0x12}},  // a palette flag is ignored
  };
  for (const auto& c : cases) EXPECT_EQ(resolveColor(c.in, classicSystemColors()), c.out) << std::hex << c.in;
}

TEST(Layout, DesignedWindowsHaveTheirSizesMarginsAndStackingOrder) {
  struct Case {
    int style, width, height;
    const char* front;  // first element, in front of all others
    const char* back;
  } cases[] = {
      {zvStandard, 7380, 4830, "imgProductNameImage", "Frame1"},
      {zvSerated, 7380, 4740, "imgProductNameImage", "imgLogo"},
      {zvThe98Look, 8550, 3990, "imgLogo", "lblCopyright"},
      {zvThe2000Look, 7455, 4620, "Line2", "Shape1"},
      {zvZavrin, 7380, 4500, "imgLogo", "Shape1"},
  };
  for (const auto& c : cases) {
    const Window w = designedSplash(c.style);
    EXPECT_EQ(w.clientWidth, c.width);
    EXPECT_EQ(w.clientHeight, c.height);
    EXPECT_EQ(w.outerHeight(), c.height + 2 * kFrameTwips);
    EXPECT_EQ(w.elements.front().name, c.front);
    EXPECT_EQ(w.elements.back().name, c.back);
    // Every image lies in front of the label of its pair.
    auto index = [&](std::string_view n) {
      for (std::size_t i = 0; i < w.elements.size(); ++i)
        if (w.elements[i].name == n) return i;
      return w.elements.size();
    };
    EXPECT_LT(index("imgProductNameImage"), index("lblProductName"));
    EXPECT_LT(index(c.style == zvThe98Look ? "imgCompanyPruductImage" : "imgCompanyProductImage"),
              index("lblCompanyProduct"));
  }
  EXPECT_THROW(designedSplash(5), Error);
}

TEST(Layout, StandardElementsSitInsideTheirFrame) {
  const Window w = designedSplash(zvStandard);
  const Element& license = w.element("lblLicenseTo");
  EXPECT_EQ(license.box, (Box{120, 240, 6855, 255}));
  EXPECT_EQ(w.clientBox(license), (Box{270, 300, 6855, 255}));
  EXPECT_EQ(w.clientBox(w.element("Frame1")), (Box{150, 60, 7080, 4635}));
}

TEST(Layout, AutoSizeKeepsTheEdgeOfItsAlignmentAndItsTop) {
  FakeMeasurer m;
  struct Case {
    Align align;
    int left;  // after "abcd" at 10 points: 400 twips wide
  } cases[] = {{Align::Left, 1000}, {Align::Right, 1000 + 2000 - 400}, {Align::Centre, 1000 + 800}};
  for (const auto& c : cases) {
    Element e;
    e.box = {1000, 500, 2000, 300};
    e.font.points = 10;
    e.align = c.align;
    e.autoSize = true;
    setLabelText(e, "abcd", m);
    EXPECT_EQ(e.box, (Box{c.left, 500, 400, 200}));
  }
  Element fixed;
  fixed.box = {1, 2, 3, 4};
  setLabelText(fixed, "a much longer text", m);
  EXPECT_EQ(fixed.box, (Box{1, 2, 3, 4}));
}

TEST(Layout, FillPutsEachValueInItsElement) {
  FakeMeasurer m;
  for (int style = 0; style < kSplashStyles; ++style) {
    Window w = designedSplash(style);
    fillSplash(w, style, defaults(), m);
    EXPECT_EQ(w.element("lblLicenseTo").text, "License To: Valued Customer");
    EXPECT_EQ(w.element("lblCompanyProduct").text, "Your Company");
    EXPECT_EQ(w.element("lblProductName").text, "Your Product");
    EXPECT_EQ(w.element("lblPlatform").text, "Platform");
    EXPECT_EQ(w.element("lblVersion").text, "Version 1.0 Build 0");
    EXPECT_EQ(w.element("lblCopyright").text, "Copyright");
    EXPECT_EQ(w.element("lblCompany").text, "Owner");
    EXPECT_EQ(w.element("lblWarning").text, "Warning text");
    // The Zavrin style always shows the product name in yellow.
    EXPECT_EQ(w.element("lblProductName").foreColor, style == zvZavrin ? 0x0000FFFFu : 0x000000FFu);
  }
}

TEST(Layout, WarningGrowsUpwardsWithItsLowerEdgeAtTheMargin) {
  FakeMeasurer m;
  for (int style = 0; style < kSplashStyles; ++style) {
    for (int words : {1, 40, 200}) {
      SplashValues v = defaults();
      v.copyrightWarning.clear();
      for (int i = 0; i < words; ++i) v.copyrightWarning += u"word ";
      Window w = designedSplash(style);
      const Box before = w.element("lblWarning").box;
      fillSplash(w, style, v, m);
      const Box after = w.element("lblWarning").box;
      EXPECT_EQ(after.left, before.left);
      EXPECT_EQ(after.width, before.width);
      EXPECT_EQ(after.bottom(), w.outerHeight() - kWarningMargin[static_cast<std::size_t>(style)])
          << style << " " << words;
      EXPECT_TRUE(w.element("lblWarning").wordWrap);
    }
  }
}

TEST(Layout, PictureSlotsTakePicturesOrNothingAndRefuseOtherObjects) {
  FakeMeasurer m;
  SplashValues v = defaults();
  auto picture = std::make_shared<Picture>(Image{2, 2, std::vector<std::uint32_t>(4, 0xFF0000FF)});
  v.productLogo = picture;
  Window w = designedSplash(zvThe98Look);
  fillSplash(w, zvThe98Look, v, m);
  EXPECT_EQ(w.element("imgLogo").picture, picture);
  EXPECT_EQ(w.element("imgCompanyPruductImage").picture, nullptr);

  // An object that is no picture stops the fill at its slot: the labels before
  // it are filled, those after are not.
  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  v.companyNameImage = std::make_shared<NotAPicture>();
  Window fresh = designedSplash(zvStandard);
  try {
    fillSplash(fresh, zvStandard, v, m);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 481);
  }
  EXPECT_EQ(fresh.element("lblCompanyProduct").text, "Your Company");
  EXPECT_EQ(fresh.element("lblProductName").text, "");
}

}  // namespace
}  // namespace zs::branding
