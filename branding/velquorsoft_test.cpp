#include "branding/velquorsoft.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "branding/splash_screen.h"
#include "core/dispatch.h"

namespace zs {
namespace {

class RecordingAbout : public branding::AboutPresenter {
 public:
  void open(const branding::Window& w) override { opened.push_back(w); }
  std::vector<branding::Window> opened;
};

TEST(SuiteAbout, BothAboutMembersOpenTheSuiteWindowEachCall) {
  auto about = std::make_shared<RecordingAbout>();
  auto suite = create<Velquorsoft>(about);
  auto splash = create<SplashScreen>(nullptr, about);
  std::vector<Argument> none;
  invoke(*suite, "About", CallKind::Method, none);
  invoke(*splash, "About", CallKind::Method, none);
  ASSERT_EQ(about->opened.size(), 2u);
  for (const auto& w : about->opened) {
    EXPECT_EQ(w.element("lblTitle").text, "Velquorsoft Zavrin Studio Suite");
    EXPECT_EQ(w.element("lblVersion").text, "Version 1.22");
    EXPECT_EQ(w.element("lblLink").text, "https://www.velquorsoft.com");
    EXPECT_EQ(w.element("cmdOK").kind, branding::ElementKind::Band);
    // The OK text lies on its button.
    const auto ok = w.element("cmdOK").box, text = w.element("lblOK").box;
    EXPECT_GE(text.top, ok.top);
    EXPECT_LE(text.bottom(), ok.bottom());
  }
}

TEST(SuiteAbout, AClickClosesByTheOkButtonOrOpensAMakersLink) {
  const branding::Window w = branding::suiteAboutWindow();
  auto centre = [&](const char* name) {
    const branding::Box b = w.clientBox(w.element(name));
    return std::pair{b.left + b.width / 2, b.top + b.height / 2};
  };
  struct Case {
    const char* at;
    bool close;
    std::string link;
  } cases[] = {
      {"cmdOK", true, ""},
      {"lblOK", true, ""},
      {"lblLink", false, "https://www.velquorsoft.com"},
      {"lblMail", false, "mailto:support@velquorsoft.com"},
      {"lblTitle", false, ""},
      {"lblVersion", false, ""},
  };
  for (const auto& c : cases) {
    const auto [x, y] = centre(c.at);
    const branding::SuiteAboutClick click = branding::suiteAboutClickAt(w, x, y);
    EXPECT_EQ(click.close, c.close) << c.at;
    EXPECT_EQ(click.link, c.link) << c.at;
  }
  const branding::SuiteAboutClick outside = branding::suiteAboutClickAt(w, -1, -1);
  EXPECT_FALSE(outside.close);
  EXPECT_TRUE(outside.link.empty());
}

}  // namespace
}  // namespace zs
