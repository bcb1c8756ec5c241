// The about dialogs on an Xvfb of the test's own: their windows' events,
// sent by another client, reach the dialogs through the presenter's pump on
// the calling thread (no thread of the library's own).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "branding/about_box.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_presenter.h"
#include "branding/testing/recorders.h"
#include "branding/testing/virtual_display.h"
#include "frame/control_site.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace zs::branding::posix {
namespace {

using testing::RecordingActions;

void send(::Display* d, ::Window w, int type, int x, int y, unsigned keycode = 0) {
  XEvent e{};
  e.xany.type = type;
  e.xany.display = d;
  e.xany.window = w;
  long mask = NoEventMask;
  if (type == MotionNotify) {
    e.xmotion.x = x, e.xmotion.y = y, e.xmotion.same_screen = True, e.xmotion.root = DefaultRootWindow(d);
    mask = PointerMotionMask;
  } else if (type == ButtonPress) {
    e.xbutton.x = x, e.xbutton.y = y, e.xbutton.button = Button1, e.xbutton.same_screen = True;
    e.xbutton.root = DefaultRootWindow(d);
    mask = ButtonPressMask;
  } else if (type == KeyPress) {
    e.xkey.keycode = keycode, e.xkey.same_screen = True, e.xkey.root = DefaultRootWindow(d);
    mask = KeyPressMask;
  }
  XSendEvent(d, w, False, mask, &e);
  XSync(d, False);
}

// Pumps until at least one event was handled (bounded, so a lost event fails
// the test instead of hanging it).
bool pumpOne(AboutDialogs& dialogs) {
  for (int i = 0; i < 500; ++i) {
    if (dialogs.pump() > 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(X11AboutDialogs, HoverClickAndEscReachTheDialogThroughThePump) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  auto presenter = std::make_shared<X11Presenter>(display().name());
  auto actions = std::make_shared<RecordingActions>();
  auto dialogs = std::make_shared<AboutDialogs>(std::make_shared<PangoMeasurer>(), presenter, actions);
  auto control = create<AboutBox>(dialogs);
  startControl(*control, nullptr, nullptr);
  control->ShowAbout();
  const ::Window w = presenter->windowOf(kAboutSlotBase);
  ASSERT_NE(w, 0u);
  EXPECT_GE(presenter->eventSource(), 0);
  char* name = nullptr;
  ASSERT_TRUE(XFetchName(c.d, w, &name));
  EXPECT_STREQ(name, "About ZavrinAboutBox");
  XFree(name);

  Window& dialog = dialogs->dialog(0);
  const Box url = dialog.clientBox(dialog.element("lblUrl"));
  const int x = (url.left + url.width / 2) / kTwipsPerPixel + kFramePixels;
  const int y = (url.top + url.height / 2) / kTwipsPerPixel + kFramePixels;

  send(c.d, w, MotionNotify, x, y);
  ASSERT_TRUE(pumpOne(*dialogs));
  EXPECT_EQ(dialog.element("lblUrl").foreColor, kHoverColor);
  XSync(c.d, False);
  EXPECT_EQ(differingPixels(c.d, w, renderWindow(dialog)), 0);  // repainted in the hover colour

  send(c.d, w, ButtonPress, x, y);
  ASSERT_TRUE(pumpOne(*dialogs));
  EXPECT_EQ(actions->log, std::vector<std::string>{"open www.velquorsoft.com"});

  send(c.d, w, KeyPress, 0, 0, XKeysymToKeycode(c.d, XK_Escape));
  ASSERT_TRUE(pumpOne(*dialogs));
  EXPECT_FALSE(dialogs->open(0));
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(c.d, w, &a));
  EXPECT_EQ(a.map_state, IsUnmapped);
}

}  // namespace
}  // namespace zs::branding::posix
