#include "branding/about_layouts.h"

#include <gtest/gtest.h>

#include "branding/ole_color.h"
#include "branding/picture.h"
#include "branding/testing/fake_measurer.h"
#include "core/error.h"

namespace zs::branding {
namespace {

using testing::FakeMeasurer;

TEST(AboutLayouts, BothDialogsHaveTheirSizesAndTheLoadStepsTexts) {
  FakeMeasurer m;
  struct Case {
    int style;
    const char* name;
    int width, height;
  } cases[] = {{zvAboutStandard, "frmAboutStandard", 5700, 4755}, {zvAbout2000, "frmAbout2000", 5745, 4770}};
  for (const auto& c : cases) {
    const Window w = designedAbout(c.style, m);
    EXPECT_EQ(w.name, c.name);
    EXPECT_EQ(w.clientWidth, c.width);
    EXPECT_EQ(w.clientHeight, c.height);
    EXPECT_EQ(w.background, kButtonFace);
    EXPECT_EQ(w.caption, "About VQZavrinStudio");
    EXPECT_EQ(w.element("lblTitle").text, "VQZavrinStudio");
    EXPECT_EQ(w.element("lblVersion").text, "Version 1.22.0");
    EXPECT_EQ(w.element("Text1").text, "OK");
    EXPECT_EQ(w.element("Text2").text, "System Info...");
    EXPECT_EQ(w.element("Text1").foreColor, kCaptionFaceText);
    EXPECT_EQ(w.element("lblUrl").foreColor, kLinkColor);
    EXPECT_TRUE(w.element("lblMail").font.underline);
    // The captions are auto-size: "Website:" is 8 characters of the fake's 82.5 twips.
    EXPECT_EQ(w.element("Label1").box.width, 660);
    EXPECT_EQ(w.element("cmdOK").kind, ElementKind::Button);
  }
  EXPECT_THROW(designedAbout(2, m), Error);
}

TEST(AboutLayouts, TheBandAndTheRulesOfThe2000LookLieBehindItsTexts) {
  FakeMeasurer m;
  const Window w = designedAbout(zvAbout2000, m);
  auto indexOf = [&](std::string_view name) {
    for (std::size_t i = 0; i < w.elements.size(); ++i)
      if (w.elements[i].name == name) return i;
    return w.elements.size();
  };
  EXPECT_EQ(w.element("Shape1").box, (Box{-30, 0, 5775, 2175}));
  EXPECT_EQ(w.element("Shape1").fillColor, 0x00FFFFFFu);
  for (const char* onBand : {"lblTitle", "lblVersion", "lblUrl", "lblMail", "lblCopyright", "Line1"}) {
    EXPECT_LT(indexOf(onBand), indexOf("Shape1")) << onBand;
  }
  for (const char* transparent : {"lblTitle", "lblVersion", "lblUrl", "lblMail", "lblCopyright", "Label1"})
    EXPECT_TRUE(w.element(transparent).transparent) << transparent;
  EXPECT_FALSE(w.element("lblDescription").transparent);
  const Window s = designedAbout(zvAboutStandard, m);
  EXPECT_EQ(s.element("Line1(1)").foreColor, 0x00808080u);
  EXPECT_EQ(s.element("Line1(0)").lineWidth, 2);
}

TEST(AboutLayouts, FillSetsTextsColoursAndSizesTheLinksToTheirText) {
  FakeMeasurer m;
  Window w = designedAbout(zvAboutStandard, m);
  auto logo = std::make_shared<Picture>(Image{1, 1, {0xFF000000}});
  AboutValues v{u"", 1, u"V", 2, u"a@b", u"https://a-very-long-host-name.example.org/with/a/longer/path", u"C", 3, u"D", 4, u"W", 5, logo};
  fillAbout(w, v, m);
  EXPECT_EQ(w.caption, "About ");
  EXPECT_EQ(w.element("lblTitle").text, "");
  EXPECT_EQ(w.element("lblTitle").foreColor, 1u);
  EXPECT_EQ(w.element("lblVersion").foreColor, 2u);
  EXPECT_EQ(w.element("lblCopyright").foreColor, 3u);
  EXPECT_EQ(w.element("lblDescription").foreColor, 4u);
  EXPECT_EQ(w.element("lblDisclaimer").foreColor, 5u);
  EXPECT_EQ(w.element("picIcon").picture, logo);
  // A short address narrows its link, a long one widens it; left and top stay.
  EXPECT_EQ(w.element("lblMail").box, (Box{1800, 2400, 248, 165}));
  EXPECT_EQ(w.element("lblUrl").box.left, 1800);
  EXPECT_GT(w.element("lblUrl").box.width, 3795);
  // The link colour is not touched by a fill.
  EXPECT_EQ(w.element("lblUrl").foreColor, kLinkColor);
}

TEST(AboutLayouts, ALogoThatIsNoPictureRaisesAfterTheTexts) {
  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  FakeMeasurer m;
  Window w = designedAbout(zvAbout2000, m);
  AboutValues v;
  v.copyrightWarning = u"W";
  v.productLogo = std::make_shared<NotAPicture>();
  try {
    fillAbout(w, v, m);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 481);
  }
  EXPECT_EQ(w.element("lblDisclaimer").text, "W");
}

}  // namespace
}  // namespace zs::branding
