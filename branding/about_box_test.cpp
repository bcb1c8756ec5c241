#include "branding/about_box.h"

#include <gtest/gtest.h>

#include "branding/picture.h"
#include "branding/splash_screen.h"
#include "branding/testing/control_fixture.h"
#include "branding/testing/recorders.h"
#include "core/dispatch.h"
#include "core/error.h"
#include "frame/control_site.h"

namespace zs {
namespace {

using branding::Picture;
using branding::testing::RecordingBag;

using Fixture = branding::testing::ControlFixture<AboutBox, branding::AboutDialogs>;

const std::vector<std::string> kSavedKeys = {
    "AboutStyle",       "Copyright",      "CopyrightWarning", "ProductDescription",    "ProductLogo",
    "ProductName",      "ProductVersion", "ProductNameColor", "CopyrightColor",        "CopyrightWarningColor",
    "ProductDescriptionColor", "ProductVersionColor", "WebsiteUrl", "Mailto"};

bool isOwnPicture(const ObjectPtr& p) {
  auto picture = std::dynamic_pointer_cast<Picture>(p);
  return picture && picture->image() && picture->image()->width == 48 && picture->image()->height == 48;
}

TEST(AboutBox, NewControlHoldsTheDefaultsAndItsOwnPictureWithoutNotifying) {
  Fixture f;
  auto& c = *f.control;
  EXPECT_EQ(c.AboutStyle(), 0);
  EXPECT_EQ(c.Copyright(), about_defaults::kCopyright);
  EXPECT_EQ(c.CopyrightWarning(), splash_defaults::kCopyrightWarning);
  EXPECT_EQ(c.ProductDescription(), about_defaults::kProductDescription);
  EXPECT_EQ(c.ProductName(), u"ZavrinAboutBox");
  EXPECT_EQ(c.ProductVersion(), u"Version 1.22");
  EXPECT_EQ(c.WebsiteUrl(), u"www.velquorsoft.com");
  EXPECT_EQ(c.Mailto(), u"support@velquorsoft.com");
  for (OleColor color : {c.ProductNameColor(), c.CopyrightColor(), c.CopyrightWarningColor(),
                         c.ProductDescriptionColor(), c.ProductVersionColor()})
    EXPECT_EQ(color, 0u);
  EXPECT_TRUE(isOwnPicture(c.ProductLogo()));
  EXPECT_TRUE(f.sink->names.empty());
}

TEST(AboutBox, EachSetterStoresThenNotifiesOnlyItsOwnName) {
  Fixture f;
  auto picture = std::make_shared<Picture>();
  struct Case {
    const char* name;
    Variant value;
    CallKind kind = CallKind::Let;
  } cases[] = {
      {"AboutStyle", Long{-7}},           {"WebsiteUrl", u"w"},        {"Mailto", u""},
      {"Copyright", u"c"},                {"CopyrightWarning", u"cw"}, {"ProductDescription", u"d"},
      {"ProductLogo", ObjectPtr(picture), CallKind::Set},              {"ProductLogo", Variant::nothing(), CallKind::Set},
      {"ProductName", u"n"},              {"ProductVersion", u"v"},    {"ProductNameColor", Long{1}},
      {"CopyrightColor", Long{2}},        {"CopyrightWarningColor", Long{3}},
      {"ProductDescriptionColor", Long{4}}, {"ProductVersionColor", Long{static_cast<Long>(0x8000000F)}},
  };
  for (auto& c : cases) {
    f.sink->names.clear();
    std::vector<Argument> args{Argument::byValue(c.value)};
    invoke(*f.control, c.name, c.kind, args);
    EXPECT_EQ(f.sink->names, std::vector<std::string>{c.name});
    std::vector<Argument> none;
    EXPECT_TRUE(invoke(*f.control, c.name, CallKind::Get, none).sameAs(c.value)) << c.name;
  }
}

TEST(AboutBox, WritesAndReadsTheKeysInOrderAndAnEmptyBagGivesTheDefaults) {
  Fixture f;
  RecordingBag bag;
  f.control->WriteProperties(bag);
  EXPECT_EQ(bag.keys("write"), kSavedKeys);
  RecordingBag empty;
  Fixture restored(&empty);
  EXPECT_EQ(empty.keys("read"), kSavedKeys);
  for (std::size_t i = 0; i < kSavedKeys.size(); ++i) {
    if (kSavedKeys[i] == "ProductLogo") continue;  // a new own picture on each side
    EXPECT_TRUE(bag.calls[i].defaultValue.sameAs(empty.calls[i].defaultValue)) << kSavedKeys[i];
  }
  EXPECT_TRUE(empty.calls[0].defaultValue.sameAs(Variant(Integer{0})));
  auto& r = *restored.control;
  EXPECT_EQ(r.Copyright(), about_defaults::kCopyright);
  EXPECT_EQ(r.Mailto(), about_defaults::kMailto);
  EXPECT_TRUE(isOwnPicture(r.ProductLogo()));
  EXPECT_TRUE(restored.sink->names.empty());
}

TEST(AboutBox, RoundTripsThroughABagAndRefusesWhatItCannotConvert) {
  Fixture f;
  auto picture = std::make_shared<Picture>(branding::Image{1, 1, {0xFF00FF00}});
  f.control->AboutStyle(1);
  f.control->ProductLogo(picture);
  f.control->CopyrightColor(0x80000012);
  f.control->Mailto(u"me@example.org");
  MemoryPropertyBag bag;
  f.control->WriteProperties(bag);
  Fixture g(&bag);
  EXPECT_EQ(g.control->AboutStyle(), 1);
  EXPECT_EQ(g.control->ProductLogo(), picture);
  EXPECT_EQ(g.control->CopyrightColor(), 0x80000012u);
  EXPECT_EQ(g.control->Mailto(), u"me@example.org");

  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  struct Case {
    const char* key;
    Variant value;
    int error;
  } cases[] = {
      {"AboutStyle", u"2", 0},
      {"AboutStyle", u"two", err::kTypeMismatch},
      {"CopyrightColor", u"red", err::kTypeMismatch},
      {"ProductName", Long{5}, 0},
      {"ProductLogo", u"logo.bmp", err::kTypeMismatch},
      {"ProductLogo", ObjectPtr(std::make_shared<NotAPicture>()), err::kTypeMismatch},
      {"ProductLogo", Variant::nothing(), 0},
  };
  for (auto& c : cases) {
    RecordingBag b;
    b.stored[c.key] = c.value;
    auto control = create<AboutBox>(f.windows);
    try {
      control->ReadProperties(b);
      EXPECT_EQ(c.error, 0) << c.key;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error) << c.key;
    }
  }
}

TEST(AboutBox, ShowAboutOpensTheStyleOnceAndRefillsItAndOtherStylesDoNothing) {
  Fixture f;
  auto& c = *f.control;
  c.ProductName(u"Widget");
  c.ShowAbout();
  c.ShowAbout();
  ASSERT_TRUE(f.windows->open(0));
  EXPECT_EQ(f.windows->dialog(0).caption, "About Widget");
  EXPECT_EQ(f.windows->dialog(0).element("lblTitle").text, "Widget");
  EXPECT_EQ(f.windows->dialog(0).element("lblUrl").text, "www.velquorsoft.com");
  EXPECT_TRUE(f.windows->dialog(0).element("picIcon").picture);
  // Shown before filling, then put on the screen again filled, each time.
  EXPECT_EQ(f.presenter->events, (std::vector<std::string>{"show 5 frmAboutStandard", "show 5 frmAboutStandard",
                                                           "show 5 frmAboutStandard", "show 5 frmAboutStandard"}));
  c.AboutStyle(1);
  c.ShowAbout();
  EXPECT_TRUE(f.windows->open(0));
  EXPECT_TRUE(f.windows->open(1));
  f.presenter->events.clear();
  for (Long style : {2, -1, 0x7FFFFFFF}) {
    c.AboutStyle(style);
    c.ShowAbout();
  }
  EXPECT_TRUE(f.presenter->events.empty());
}

TEST(AboutBox, ClosingDestroysTheDialogAndTheNextShowLoadsItAgain) {
  Fixture f;
  f.control->ShowAbout();
  f.windows->dialog(0).element("lblUrl").foreColor = branding::kHoverColor;
  f.windows->close(0);
  EXPECT_FALSE(f.windows->open(0));
  EXPECT_EQ(f.presenter->events.back(), "hide 5");
  f.control->ShowAbout();
  EXPECT_EQ(f.windows->dialog(0).element("lblUrl").foreColor, branding::kLinkColor);
}

TEST(AboutBox, AFailingFillLeavesTheDialogOpenWithTheElementsBeforeIt) {
  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  Fixture f;
  f.control->CopyrightWarning(u"Careful");
  f.control->ProductLogo(std::make_shared<NotAPicture>());
  EXPECT_THROW(f.control->ShowAbout(), Error);
  ASSERT_TRUE(f.windows->open(0));
  EXPECT_EQ(f.windows->dialog(0).element("lblDisclaimer").text, "Careful");
  EXPECT_EQ(f.presenter->events.size(), 2u);
}

}  // namespace
}  // namespace zs
