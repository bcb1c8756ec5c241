// The about dialogs' events through a recording presenter: pointer moves and
// clicks at pixel positions, keys and the close box.
#include "branding/about_dialogs.h"

#include <gtest/gtest.h>

#include <functional>

#include "branding/about_box.h"
#include "branding/testing/fake_measurer.h"
#include "branding/testing/recorders.h"
#include "frame/control_site.h"

namespace zs::branding {
namespace {

using testing::RecordingPresenter;
using testing::RecordingActions;
using Type = WindowEvent::Type;

struct Fixture {
  std::shared_ptr<RecordingPresenter> presenter = std::make_shared<RecordingPresenter>();
  std::shared_ptr<RecordingActions> actions = std::make_shared<RecordingActions>();
  std::shared_ptr<AboutDialogs> dialogs =
      std::make_shared<AboutDialogs>(std::make_shared<testing::FakeMeasurer>(), presenter, actions);
  std::shared_ptr<AboutBox> control = create<AboutBox>(dialogs);

  explicit Fixture(Long style) {
    startControl(*control, nullptr, nullptr);
    control->AboutStyle(style);
    control->Mailto(u"");
    control->ShowAbout();
  }
  int slot() const { return kAboutSlotBase + static_cast<int>(control->AboutStyle()); }
  Window& dialog() { return dialogs->dialog(static_cast<int>(control->AboutStyle())); }
  // An event at the pixel in the middle of an element (twips = pixels x 15).
  WindowEvent at(Type type, std::string_view element) {
    const Box b = dialog().clientBox(dialog().element(element));
    return {slot(), type, (b.left + b.width / 2) / kTwipsPerPixel * kTwipsPerPixel,
            (b.top + b.height / 2) / kTwipsPerPixel * kTwipsPerPixel, 0};
  }
  void send(std::vector<WindowEvent> events) {
    presenter->queued = std::move(events);
    dialogs->pump();
  }
};

TEST(AboutDialogEvents, ClicksOnLinksAndSystemInfoAskTheActions) {
  for (Long style : {0, 1}) {
    Fixture f(style);
    f.send({f.at(Type::Click, "lblUrl"), f.at(Type::Click, "cmdSysInfo"), f.at(Type::Click, "Text2"),
            f.at(Type::Click, "lblDescription")});
    // The empty mail link is no target at all: its auto-size box is empty.
    EXPECT_EQ(f.actions->log,
              (std::vector<std::string>{"open www.velquorsoft.com", "sysinfo", "sysinfo"}));
    f.control->Mailto(u"me@example.org");
    f.control->ShowAbout();
    f.actions->log.clear();
    f.send({f.at(Type::Click, "lblMail")});
    EXPECT_EQ(f.actions->log, std::vector<std::string>{"open mailto:me@example.org"});
    EXPECT_TRUE(f.dialogs->open(static_cast<int>(style)));
  }
}

TEST(AboutDialogEvents, HoverColoursRepaintOnlyWhenTheyChange) {
  Fixture f(1);
  f.presenter->events.clear();
  f.send({f.at(Type::PointerMove, "lblUrl"), f.at(Type::PointerMove, "lblUrl")});
  EXPECT_EQ(f.dialog().element("lblUrl").foreColor, kHoverColor);
  EXPECT_EQ(f.presenter->events.size(), 1u);
  f.send({{f.slot(), Type::PointerMove, 15, 1000, 0}});  // the band is background
  EXPECT_EQ(f.dialog().element("lblUrl").foreColor, kLinkColor);
  EXPECT_EQ(f.presenter->events.size(), 2u);
}

TEST(AboutDialogEvents, EveryWayOfClosingDestroysTheDialogAndAShowStartsAfresh) {
  struct Case {
    const char* name;
    std::function<WindowEvent(Fixture&)> event;
  } cases[] = {
      {"OK", [](Fixture& f) { return f.at(Type::Click, "cmdOK"); }},
      {"OK caption", [](Fixture& f) { return f.at(Type::Click, "Text1"); }},
      {"Enter", [](Fixture& f) { return WindowEvent{f.slot(), Type::Key, 0, 0, 0x0D}; }},
      {"Esc", [](Fixture& f) { return WindowEvent{f.slot(), Type::Key, 0, 0, 0x1B}; }},
      {"close box", [](Fixture& f) { return WindowEvent{f.slot(), Type::CloseBox, 0, 0, 0}; }},
  };
  for (auto& c : cases) {
    Fixture f(0);
    f.send({f.at(Type::PointerMove, "Text2")});
    EXPECT_EQ(f.dialog().element("Text2").foreColor, kHoverColor);
    const WindowEvent close = c.event(f);
    f.send({close});
    EXPECT_FALSE(f.dialogs->open(0)) << c.name;
    EXPECT_EQ(f.presenter->events.back(), "hide 5") << c.name;
    // Events for the closed dialog are ignored.
    f.send({close});
    f.control->ShowAbout();
    EXPECT_EQ(f.dialog().element("Text2").foreColor, 0x80000012u) << c.name;  // design colour
    EXPECT_EQ(f.dialog().element("Text1").foreColor, kCaptionFaceText) << c.name;
  }
}

TEST(AboutDialogEvents, OtherKeysAndOtherSlotsDoNothing) {
  Fixture f(0);
  f.send({{f.slot(), Type::Key, 0, 0, 'A'}, {0, Type::CloseBox, 0, 0, 0}, {kAboutSlotBase + 1, Type::CloseBox, 0, 0, 0}});
  EXPECT_TRUE(f.dialogs->open(0));
  EXPECT_TRUE(f.actions->log.empty());
}

// A display connection that reads a second batch of events while the first
// is handled (a repaint talks to the server): they come from the same pump,
// since the host's poll of the descriptor would not see them.
TEST(AboutDialogEvents, EventsThatArriveWhileOthersAreHandledAreHandledByTheSamePump) {
  class ArrivingPresenter final : public WindowPresenter {
   public:
    void show(int, const Window&) override {}
    void hide(int) override {}
    std::vector<WindowEvent> takeEvents() override {
      if (batches.empty()) return {};
      auto next = std::move(batches.front());
      batches.erase(batches.begin());
      return next;
    }
    std::vector<std::vector<WindowEvent>> batches;
  };
  auto presenter = std::make_shared<ArrivingPresenter>();
  auto actions = std::make_shared<RecordingActions>();
  AboutDialogs dialogs(std::make_shared<testing::FakeMeasurer>(), presenter, actions);
  Window& w = dialogs.show(0);
  const Box sysInfo = w.clientBox(w.element("cmdSysInfo"));
  const WindowEvent click{kAboutSlotBase, Type::Click, sysInfo.left + 15, sysInfo.top + 15, 0};
  presenter->batches = {{{kAboutSlotBase, Type::PointerMove, 15, 15, 0}}, {click}, {click}};
  EXPECT_EQ(dialogs.pump(), 3u);
  EXPECT_EQ(actions->log, (std::vector<std::string>{"sysinfo", "sysinfo"}));
}

}  // namespace
}  // namespace zs::branding
