// Win32 dialog messages through the translation into WindowEvents and on into
// the shared dialog logic: the same hover colours, actions and closing as the
// X11 events give.
#include "branding/dialog_messages.h"

#include <gtest/gtest.h>

#include "branding/about_dialogs.h"
#include "branding/testing/fake_measurer.h"
#include "branding/testing/recorders.h"

namespace zs::branding {
namespace {

using testing::RecordingActions;
using Type = WindowEvent::Type;
using namespace winmsg;

// A mouse message's lParam: client pixels, signed 16 bits each.
std::int64_t packed(int x, int y) {
  const std::uint32_t low = static_cast<std::uint16_t>(x), high = static_cast<std::uint16_t>(y);
  return static_cast<std::int64_t>(low | (high << 16));
}

// The middle pixel of an element of the dialog.
std::pair<int, int> middle(const Window& w, std::string_view name) {
  const Box b = w.clientBox(w.element(name));
  return {(b.left + b.width / 2) / kTwipsPerPixel, (b.top + b.height / 2) / kTwipsPerPixel};
}

struct Dialogs {
  std::shared_ptr<testing::RecordingPresenter> presenter = std::make_shared<testing::RecordingPresenter>();
  std::shared_ptr<RecordingActions> actions = std::make_shared<RecordingActions>();
  AboutDialogs dialogs{std::make_shared<testing::FakeMeasurer>(), presenter, actions};
  DialogInput input;
  int style;

  explicit Dialogs(int s) : style(s) {
    Window& w = dialogs.show(style);
    AboutValues v;
    v.websiteUrl = u"www.x.org";
    v.mailto = u"a@b";
    fillAbout(w, v, dialogs.measurer());
  }
  Window& dialog() { return dialogs.dialog(style); }
  // What the window procedure does: translate, then hand to the dialogs.
  void message(unsigned m, std::uint64_t w = 0, std::int64_t l = 0) {
    if (!dialogs.open(style)) return;
    if (auto e = input.translate(dialog(), kAboutSlotBase + style, m, w, l)) dialogs.handle(*e);
  }
  void mouse(unsigned m, std::string_view element) {
    const auto [x, y] = middle(dialog(), element);
    message(m, 0, packed(x, y));
  }
  void click(std::string_view element) {
    mouse(kLButtonDown, element);
    mouse(kLButtonUp, element);
  }
};

TEST(DialogMessages, TranslateIntoTheEventsOfTheX11Side) {
  Dialogs d(0);
  const Window& w = d.dialog();
  struct Case {
    unsigned message;
    std::uint64_t wParam;
    std::int64_t lParam;
    std::optional<WindowEvent> event;
  } cases[] = {
      {kMouseMove, 0, packed(10, 20), WindowEvent{7, Type::PointerMove, 150, 300, 0}},
      // Coordinates left of or above the client area (with the mouse captured) are negative.
      {kMouseMove, 0, packed(-2, -3), WindowEvent{7, Type::PointerMove, -30, -45, 0}},
      {kMouseLeave, 0, 0, WindowEvent{7, Type::PointerMove, -1, -1, 0}},
      {kKeyDown, kVkReturn, 0, WindowEvent{7, Type::Key, 0, 0, 0x0D}},
      {kKeyDown, kVkEscape, 0, WindowEvent{7, Type::Key, 0, 0, 0x1B}},
      {kKeyDown, 'A', 0, std::nullopt},
      {kClose, 0, 0, WindowEvent{7, Type::CloseBox, 0, 0, 0}},
      {kLButtonUp, 0, packed(10, 20), std::nullopt},  // no press before it
      {0x0204, 0, packed(10, 20), std::nullopt},      // the right button
  };
  for (const auto& c : cases) {
    DialogInput input;
    const auto e = input.translate(w, 7, c.message, c.wParam, c.lParam);
    ASSERT_EQ(e.has_value(), c.event.has_value()) << std::hex << c.message;
    if (!e) continue;
    EXPECT_EQ(e->type, c.event->type) << std::hex << c.message;
    EXPECT_EQ(std::tie(e->slot, e->x, e->y, e->key), std::tie(c.event->slot, c.event->x, c.event->y, c.event->key))
        << std::hex << c.message;
  }
}

TEST(DialogMessages, AClickIsAPressAndAReleaseOnTheSameElement) {
  for (int style : {0, 1}) {
    Dialogs d(style);
    d.click("lblUrl");
    d.click("lblMail");
    d.click("Text2");
    d.mouse(kLButtonDown, "cmdOK");  // pressed on OK, released on the link: nothing
    d.mouse(kLButtonUp, "lblUrl");
    d.mouse(kLButtonDown, "lblUrl");  // released over the background: nothing
    d.message(kLButtonUp, 0, packed(2, 2));
    EXPECT_EQ(d.actions->log, (std::vector<std::string>{"open www.x.org", "open mailto:a@b", "sysinfo"}))
        << style;
    EXPECT_TRUE(d.dialogs.open(style));
    d.click("cmdOK");
    EXPECT_FALSE(d.dialogs.open(style)) << style;
  }
}

TEST(DialogMessages, HoverFollowsThePointerAndLeavingResetsIt) {
  for (int style : {0, 1}) {
    Dialogs d(style);
    d.mouse(kMouseMove, "lblUrl");
    d.mouse(kMouseMove, "Text1");
    EXPECT_EQ(d.dialog().element("lblUrl").foreColor, kHoverColor) << style;
    EXPECT_EQ(d.dialog().element("Text1").foreColor, kHoverColor) << style;
    d.message(kMouseLeave);
    EXPECT_EQ(d.dialog().element("lblUrl").foreColor, kLinkColor) << style;
    EXPECT_EQ(d.dialog().element("Text1").foreColor, 0u) << style;
  }
}

}  // namespace
}  // namespace zs::branding
