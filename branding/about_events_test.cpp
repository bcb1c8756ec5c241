#include "branding/about_events.h"

#include <gtest/gtest.h>

#include "branding/about_layouts.h"
#include "branding/testing/fake_measurer.h"

namespace zs::branding {
namespace {

// A dialog as ShowAbout leaves it: "www.x.org" and "a@b" in the links.
Window filledDialog(int style) {
  testing::FakeMeasurer m;
  Window w = designedAbout(style, m);
  AboutValues v;
  v.websiteUrl = u"www.x.org";
  v.mailto = u"a@b";
  fillAbout(w, v, m);
  return w;
}

// The centre of an element, in client twips.
std::pair<int, int> centre(const Window& w, std::string_view name) {
  const Box b = w.clientBox(w.element(name));
  return {b.left + b.width / 2, b.top + b.height / 2};
}

TEST(AboutEvents, ClicksAndKeysAskForTheirActionsInBothStyles) {
  struct Case {
    const char* element;
    AboutAction action;
  } cases[] = {{"cmdOK", AboutAction::Close},          {"Text1", AboutAction::Close},
               {"cmdSysInfo", AboutAction::StartSysInfo}, {"Text2", AboutAction::StartSysInfo},
               {"lblUrl", AboutAction::OpenWebsite},    {"lblMail", AboutAction::OpenMail},
               {"lblDescription", AboutAction::None},   {"picIcon", AboutAction::None}};
  for (int style : {0, 1}) {
    const Window w = filledDialog(style);
    for (const auto& c : cases) {
      const auto [x, y] = centre(w, c.element);
      EXPECT_EQ(clickAt(w, x, y), c.action) << style << " " << c.element;
    }
    EXPECT_EQ(linkTarget(w, AboutAction::OpenWebsite), "www.x.org");
    EXPECT_EQ(linkTarget(w, AboutAction::OpenMail), "mailto:a@b");
    // The link's clickable area is its text: just right of the short text is background.
    const Box mail = w.clientBox(w.element("lblMail"));
    EXPECT_EQ(clickAt(w, mail.right() + 15, mail.top + 15), AboutAction::None) << style;
  }
  EXPECT_EQ(keyPressed(0x0D), AboutAction::Close);
  EXPECT_EQ(keyPressed(0x1B), AboutAction::Close);
  EXPECT_EQ(keyPressed('A'), AboutAction::None);
}

TEST(AboutEvents, HoverColoursFollowThePointerAndStayOverElementsWithoutHandlers) {
  for (int style : {0, 1}) {
    Window w = filledDialog(style);
    auto color = [&](const char* n) { return w.element(n).foreColor; };
    auto moveTo = [&](const char* n) {
      const auto [x, y] = centre(w, n);
      return pointerMoved(w, x, y);
    };
    EXPECT_TRUE(moveTo("lblUrl"));
    EXPECT_EQ(color("lblUrl"), kHoverColor);
    EXPECT_EQ(color("lblMail"), kLinkColor);
    EXPECT_FALSE(moveTo("lblDescription"));  // no handler: the hover colour stays
    EXPECT_EQ(color("lblUrl"), kHoverColor);
    EXPECT_TRUE(moveTo("Text1"));
    EXPECT_EQ(color("Text1"), kHoverColor);
    EXPECT_EQ(color("Text2"), 0u);
    EXPECT_TRUE(moveTo("Text2"));
    EXPECT_EQ(color("Text1"), 0u);
    EXPECT_EQ(color("Text2"), kHoverColor);
    // The dialog's background (over the band too, in the 2000 look) resets all four.
    EXPECT_TRUE(pointerMoved(w, 30, style == 1 ? 1000 : 2700));
    EXPECT_EQ(color("lblUrl"), kLinkColor);
    EXPECT_EQ(color("Text1"), 0u);
    EXPECT_EQ(color("Text2"), 0u);
    EXPECT_FALSE(pointerMoved(w, 30, style == 1 ? 1000 : 2700));
  }
}

}  // namespace
}  // namespace zs::branding
