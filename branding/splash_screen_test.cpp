#include "branding/splash_screen.h"

#include <gtest/gtest.h>

#include "core/error.h"

#include <map>
#include <vector>

#include "branding/picture.h"
#include "branding/testing/control_fixture.h"
#include "branding/testing/recorders.h"
#include "core/dispatch.h"
#include "core/variant_ops.h"
#include "frame/control_site.h"

namespace zs {
namespace {

using branding::Picture;

using branding::testing::RecordingBag;

using Fixture = branding::testing::ControlFixture<SplashScreen, branding::SplashWindows>;

const std::vector<std::string> kSavedKeys = {
    "LicenseTo",      "CompanyName",      "CompanyNameImage", "ProductName", "ProductNameImage",
    "ProductLogo",    "ProductVersion",   "Copyright",        "CopyrightOwner", "CopyrightWarning",
    "SplashStyle",    "Platform",         "ProductNameColor"};

bool isEmptyPicture(const ObjectPtr& p) {
  auto picture = std::dynamic_pointer_cast<Picture>(p);
  return picture && !picture->image();
}

TEST(SplashScreen, NewControlHoldsTheDefaultsAndEmptyPicturesWithoutNotifying) {
  Fixture f;
  auto& c = *f.control;
  EXPECT_EQ(c.LicenseTo(), u"Valued Customer");
  EXPECT_EQ(c.CompanyName(), u"Your Company");
  EXPECT_EQ(c.ProductName(), u"Your Product");
  EXPECT_EQ(c.ProductVersion(), u"Version 1.0 Build 0");
  EXPECT_EQ(c.Copyright(), splash_defaults::kCopyright);
  EXPECT_EQ(c.CopyrightOwner(), u"Your Company");
  EXPECT_EQ(c.CopyrightWarning(), splash_defaults::kCopyrightWarning);
  EXPECT_EQ(c.SplashStyle(), 0);
  EXPECT_EQ(c.Platform(), u"For Windows 95, 98, NT, 2000 and XP");
  EXPECT_EQ(c.ProductNameColor(), 0u);
  for (const auto& p : {c.CompanyNameImage(), c.ProductNameImage(), c.ProductLogo()}) EXPECT_TRUE(isEmptyPicture(p));
  EXPECT_TRUE(f.sink->names.empty());
}

TEST(SplashScreen, AControlNoContainerStartedHasTheDefaultTextsAndNoPictures) {
  auto c = create<SplashScreen>();
  EXPECT_EQ(c->LicenseTo(), u"Valued Customer");
  EXPECT_EQ(c->CopyrightWarning(), splash_defaults::kCopyrightWarning);
  EXPECT_EQ(c->SplashStyle(), 0);
  for (const auto& p : {c->CompanyNameImage(), c->ProductNameImage(), c->ProductLogo()}) EXPECT_EQ(p, nullptr);
}

TEST(SplashScreen, EachSetterStoresThenNotifiesOnlyItsOwnName) {
  Fixture f;
  auto picture = std::make_shared<Picture>();
  struct Case {
    const char* name;
    Variant value;
    CallKind kind = CallKind::Let;
  } cases[] = {
      {"LicenseTo", u"x"},          {"CompanyName", u""},           {"CompanyNameImage", Variant::nothing(), CallKind::Set},
      {"ProductName", u"y"},        {"ProductNameImage", ObjectPtr(picture), CallKind::Set},
      {"ProductLogo", ObjectPtr(picture), CallKind::Set},
      {"ProductVersion", u"v"},     {"Copyright", u"c"},           {"CopyrightOwner", u"o"},
      {"CopyrightWarning", u"w"},   {"SplashStyle", Long{-1}},      {"Platform", u"p"},
      {"ProductNameColor", Long{255}},
  };
  for (auto& c : cases) {
    f.sink->names.clear();
    std::vector<Argument> args{Argument::byValue(c.value)};
    invoke(*f.control, c.name, c.kind, args);
    EXPECT_EQ(f.sink->names, std::vector<std::string>{c.name});
    std::vector<Argument> none;
    const Variant back = invoke(*f.control, c.name, CallKind::Get, none);
    EXPECT_TRUE(back.sameAs(c.value)) << c.name;
  }
}

TEST(SplashScreen, TextAndImageOfAPairClearEachOther) {
  Fixture f;
  auto& c = *f.control;
  auto picture = std::make_shared<Picture>(branding::Image{1, 1, {0xFFFFFFFF}});
  c.CompanyNameImage(picture);
  EXPECT_EQ(c.CompanyName(), u"");
  c.CompanyName(u"");
  EXPECT_TRUE(isEmptyPicture(c.CompanyNameImage()));
  c.ProductNameImage(nullptr);  // a null reference still clears the text
  EXPECT_EQ(c.ProductName(), u"");
  EXPECT_EQ(c.ProductNameImage(), nullptr);
  c.ProductName(u"P");
  EXPECT_TRUE(isEmptyPicture(c.ProductNameImage()));
}

TEST(SplashScreen, WritesEveryKeyInOrderWithTheDefaultsItReads) {
  Fixture f;
  RecordingBag bag;
  f.control->WriteProperties(bag);
  EXPECT_EQ(bag.keys("write"), kSavedKeys);

  RecordingBag empty;
  Fixture restored(&empty);
  EXPECT_EQ(empty.keys("read"), kSavedKeys);
  // Both directions pass the same default for every key.
  for (std::size_t i = 0; i < kSavedKeys.size(); ++i)
    EXPECT_TRUE(bag.calls[i].defaultValue.sameAs(empty.calls[i].defaultValue)) << kSavedKeys[i];
  // A bag without keys gives the new control's texts, style and colour, but
  // null pictures.
  auto& r = *restored.control;
  EXPECT_EQ(r.Copyright(), splash_defaults::kCopyright);
  EXPECT_EQ(r.CopyrightWarning(), splash_defaults::kCopyrightWarning);
  EXPECT_EQ(r.LicenseTo(), u"Valued Customer");
  EXPECT_EQ(r.SplashStyle(), 0);
  EXPECT_EQ(r.CompanyNameImage(), nullptr);
  EXPECT_EQ(r.ProductNameImage(), nullptr);
  EXPECT_EQ(r.ProductLogo(), nullptr);
  EXPECT_TRUE(restored.sink->names.empty());
}

TEST(SplashScreen, RoundTripsThroughABagIncludingTheCopyright) {
  Fixture f;
  auto picture = std::make_shared<Picture>(branding::Image{1, 1, {0xFF00FF00}});
  f.control->Copyright(u"(C) 2026 Somebody");
  f.control->ProductLogo(picture);
  f.control->ProductNameColor(0x80000012);
  f.control->SplashStyle(3);
  MemoryPropertyBag bag;
  f.control->WriteProperties(bag);
  Fixture g(&bag);
  EXPECT_EQ(g.control->Copyright(), u"(C) 2026 Somebody");
  EXPECT_EQ(g.control->ProductLogo(), picture);
  EXPECT_EQ(g.control->ProductNameColor(), 0x80000012u);
  EXPECT_EQ(g.control->SplashStyle(), 3);
}

TEST(SplashScreen, ReadConvertsOrRefusesWhatTheBagHolds) {
  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  struct Case {
    const char* key;
    Variant value;
    int error;  // 0: read succeeds
  } cases[] = {
      {"LicenseTo", Long{42}, 0},
      {"ProductNameColor", u"255", 0},
      {"ProductNameColor", u"red", err::kTypeMismatch},
      {"ProductNameColor", Double{4294967296.0}, err::kOverflow},
      {"ProductLogo", u"logo.bmp", err::kTypeMismatch},
      {"ProductLogo", ObjectPtr(std::make_shared<NotAPicture>()), err::kTypeMismatch},
      {"SplashStyle", u"abc", 0},  // stored unchanged; the getter fails
  };
  for (auto& c : cases) {
    RecordingBag bag;
    bag.stored[c.key] = c.value;
    auto control = create<SplashScreen>();
    try {
      control->ReadProperties(bag);
      EXPECT_EQ(c.error, 0) << c.key;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.error) << c.key;
    }
  }
  RecordingBag bag;
  bag.stored["LicenseTo"] = Long{42};
  bag.stored["ProductNameColor"] = u"255";
  auto control = create<SplashScreen>();
  control->ReadProperties(bag);
  EXPECT_EQ(control->LicenseTo(), u"42");
  EXPECT_EQ(control->ProductNameColor(), 255u);
}

TEST(SplashScreen, StyleIsStoredAsGivenAndConvertedWhenRead) {
  struct Case {
    Variant stored;
    int error;
    Long value;
  } cases[] = {
      {Integer{2}, 0, 2}, {u"4", 0, 4}, {u"abc", err::kTypeMismatch, 0}, {Variant::null(), err::kInvalidNull, 0},
  };
  for (auto& c : cases) {
    RecordingBag bag;
    bag.stored["SplashStyle"] = c.stored;
    Fixture f(&bag);
    RecordingBag out;
    f.control->WriteProperties(out);
    EXPECT_TRUE(out.stored["SplashStyle"].sameAs(c.stored));
    for (auto member : {&SplashScreen::ShowSplash, &SplashScreen::HideSplash}) {
      try {
        (void)f.control->SplashStyle();
        ((*f.control).*member)();
        EXPECT_EQ(c.error, 0);
        EXPECT_EQ(f.control->SplashStyle(), c.value);
      } catch (const Error& e) {
        EXPECT_EQ(e.number(), c.error);
      }
    }
  }
}

TEST(SplashScreen, ShowAndHideActOnTheWindowOfTheCurrentStyleOnly) {
  Fixture f;
  auto& c = *f.control;
  EXPECT_TRUE(c.HideSplash().isEmpty());  // creates the window hidden
  EXPECT_TRUE(c.ShowSplash().isEmpty());
  c.ShowSplash();
  c.SplashStyle(4);
  c.ShowSplash();
  c.HideSplash();
  for (Long outside : {5, -1}) {
    c.SplashStyle(outside);
    EXPECT_TRUE(c.ShowSplash().isEmpty());
    EXPECT_TRUE(c.HideSplash().isEmpty());
  }
  EXPECT_EQ(f.presenter->events,
            (std::vector<std::string>{"hide 0", "show 0 frmStandard", "show 0 frmStandard",
                                      "show 4 frmZavrin", "hide 4"}));
  // Filled from the properties.
  const auto& w = f.windows->load(0);
  EXPECT_EQ(w.element("lblLicenseTo").text, "License To: Valued Customer");
}

TEST(SplashScreen, TwoControlsOfAThreadShareTheWindowAndTheLaterShowWins) {
  Fixture f;
  auto other = create<SplashScreen>(f.windows);
  startControl(*other, nullptr, nullptr);
  f.control->ProductName(u"First");
  other->ProductName(u"Second");
  f.control->ShowSplash();
  other->ShowSplash();
  EXPECT_EQ(f.windows->load(0).element("lblProductName").text, "Second");
}

TEST(SplashScreen, AFailedFillShowsNothing) {
  struct NotAPicture : Object {
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  Fixture f;
  f.control->ProductLogo(std::make_shared<NotAPicture>());
  EXPECT_THROW(f.control->ShowSplash(), Error);
  EXPECT_TRUE(f.presenter->events.empty());
}

}  // namespace
}  // namespace zs
