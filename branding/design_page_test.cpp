#include "branding/design_page.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "branding/about_design_page.h"
#include "branding/picture.h"
#include "branding/splash_design_page.h"
#include "branding/splash_screen.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs::branding {
namespace {

// A control that answers from a map and records every get and let.
class RecordingControl final : public PageControl {
 public:
  Variant get(std::string_view property) override {
    log.push_back("get " + std::string(property));
    auto it = values.find(std::string(property));
    return it == values.end() ? Variant(String()) : it->second;
  }
  void let(std::string_view property, Variant value) override {
    log.push_back("let " + std::string(property) + "=" + u8(toText(value)));
    values[std::string(property)] = std::move(value);
  }
  std::vector<std::string> lets() const {
    std::vector<std::string> l;
    for (const auto& e : log)
      if (e.rfind("let ", 0) == 0) l.push_back(e.substr(4));
    return l;
  }
  std::map<std::string, Variant> values;
  std::vector<std::string> log;
};

class RecordingSite final : public PageSite {
 public:
  std::size_t selectedCount() override { return controls.size(); }
  PageControl& selected(std::size_t i) override { return *controls.at(i); }
  void setChanged(bool c) override { changed.push_back(c); }
  std::vector<std::shared_ptr<PageControl>> controls;
  std::vector<bool> changed;
};

struct Pages {
  RecordingSite site;
  std::shared_ptr<RecordingControl> first = std::make_shared<RecordingControl>();
  std::shared_ptr<RecordingControl> second = std::make_shared<RecordingControl>();
  Pages() { site.controls = {first, second}; }
};

TEST(DesignPage, LoadsTheFirstSelectedControlInEachPagesOrder) {
  struct Case {
    PageDesign design;
    std::vector<std::string> reads;
  } cases[] = {
      {aboutDesign(),
       {"get ProductVersion", "get ProductName", "get ProductDescription", "get CopyrightWarning", "get Copyright",
        "get Mailto", "get WebsiteUrl", "get AboutStyle"}},
      {splashDesign(),
       {"get Platform", "get SplashStyle", "get CopyrightWarning", "get CopyrightOwner", "get Copyright",
        "get ProductVersion", "get ProductName", "get CompanyName", "get LicenseTo"}},
  };
  for (auto& c : cases) {
    Pages p;
    p.first->values = {{c.design.styleProperty, Long{1}}, {"ProductName", String(u"Widget")}};
    DesignPage page(c.design, p.site);
    page.selectionChanged();
    EXPECT_EQ(p.first->log, c.reads);
    EXPECT_TRUE(p.second->log.empty());
    EXPECT_EQ(page.styleIndex(), 1);
    EXPECT_EQ(page.text("txtProductName"), u"Widget");
    // A loaded text that differs from the box reports the page changed.
    EXPECT_TRUE(page.changed());
    EXPECT_EQ(p.site.changed, std::vector<bool>{true});
  }
}

TEST(DesignPage, LoadingIdenticalTextsLeavesThePageUnchanged) {
  Pages p;
  DesignPage page(aboutDesign(), p.site);
  page.selectionChanged();  // every property empty, as the boxes are
  EXPECT_FALSE(page.changed());
  EXPECT_TRUE(p.site.changed.empty());
}

TEST(DesignPage, AStyleThatNamesNoItemSelectsNothingAndEveryBoxLoads) {
  for (const Variant& style : {Variant(Long{5}), Variant(Long{-3}), Variant(Long{100000}), Variant(String(u"x"))}) {
    Pages p;
    p.first->values = {{"SplashStyle", style}, {"LicenseTo", String(u"Me")}};
    DesignPage page(splashDesign(), p.site);
    EXPECT_NO_THROW(page.selectionChanged());
    EXPECT_EQ(page.styleIndex(), -1);
    EXPECT_EQ(page.text("txtLicenseTo"), u"Me");
  }
}

TEST(DesignPage, TheAboutPageAppliesEveryPropertyInOrderWithTheStyleLast) {
  Pages p;
  DesignPage page(aboutDesign(), p.site);
  page.selectionChanged();
  page.editText("txtMailto", u"a@b");
  page.pickStyle(1);
  p.first->log.clear();
  page.applyChanges();
  EXPECT_EQ(p.first->lets(),
            (std::vector<std::string>{"ProductVersion=", "ProductName=", "ProductDescription=", "CopyrightWarning=",
                                      "Copyright=", "Mailto=a@b", "WebsiteUrl=", "AboutStyle=1"}));
  EXPECT_EQ(p.first->values["AboutStyle"].kind(), Kind::Integer);
  EXPECT_TRUE(p.second->log.empty());
}

TEST(DesignPage, PickingOrTypingAStyleSetsChangedAndApplyWritesIt) {
  struct Case {
    const char* typed;  // null: pick position 2
    Long written;
  } cases[] = {{nullptr, 2}, {"zvZavrin", 4}, {"no such style", -1}};
  for (const auto& c : cases) {
    Pages p;
    p.first->values["SplashStyle"] = Long{0};
    DesignPage page(splashDesign(), p.site);
    page.selectionChanged();
    p.site.changed.clear();
    if (c.typed) {
      page.typeStyle(c.typed);
    } else {
      page.pickStyle(2);
    }
    EXPECT_EQ(p.site.changed, std::vector<bool>{true});
    page.applyChanges();
    EXPECT_EQ(p.first->lets(), std::vector<std::string>{"SplashStyle=" + std::to_string(c.written)});
  }
}

TEST(DesignPage, ClearEmptiesTheControlsTextsButNotTheBoxesOrTheFlag) {
  Pages p;
  p.first->values = {{"Platform", String(u"P")}, {"LicenseTo", String(u"L")}, {"SplashStyle", Long{3}}};
  DesignPage page(splashDesign(), p.site);
  page.selectionChanged();
  p.site.changed.clear();
  p.first->log.clear();
  page.clear();
  EXPECT_EQ(p.first->lets(),
            (std::vector<std::string>{"Platform=", "CopyrightWarning=", "CopyrightOwner=", "Copyright=",
                                      "ProductVersion=", "ProductName=", "CompanyName=", "LicenseTo="}));
  EXPECT_EQ(page.text("txtPlatform"), u"P");
  EXPECT_TRUE(p.site.changed.empty());
  // A following Apply writes the shown texts back.
  p.first->log.clear();
  page.applyChanges();
  EXPECT_EQ(p.first->lets(), (std::vector<std::string>{"Platform=P", "LicenseTo=L"}));
}

TEST(DesignPage, AnEmptySelectionRaisesToTheHost) {
  RecordingSite site;
  DesignPage page(aboutDesign(), site);
  for (auto call : {&DesignPage::selectionChanged, &DesignPage::applyChanges, &DesignPage::clear}) {
    try {
      (page.*call)();
      FAIL();
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 9);
    }
  }
}

TEST(DesignPage, ApplyingAnUnchangedSplashPageKeepsTheControlsImages) {
  auto splash = create<SplashScreen>();
  auto image = std::make_shared<Picture>(Image{1, 1, {0xFF000000}});
  splash->CompanyNameImage(image);
  RecordingSite site;
  site.controls = {std::make_shared<DispatchPageControl>(splash)};
  DesignPage page(splashDesign(), site);
  page.selectionChanged();
  page.editText("txtLicenseTo", u"Someone");
  page.applyChanges();
  EXPECT_EQ(splash->CompanyNameImage(), image);
  EXPECT_EQ(splash->LicenseTo(), u"Someone");
}

}  // namespace
}  // namespace zs::branding
