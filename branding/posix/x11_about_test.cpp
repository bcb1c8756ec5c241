// The suite about window on an Xvfb of the test's own: shown once per thread,
// closed by Esc, Enter, its OK button or the close box when its events are
// pumped on the caller's thread; without a display the library's About writes
// nothing anywhere.
#include "branding/posix/x11_about.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "branding/posix/cairo_renderer.h"
#include "branding/testing/recorders.h"
#include "branding/testing/virtual_display.h"
#include "branding/testing/x11_input.h"
#include "branding/velquorsoft.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace zs::branding::posix {
namespace {

// Handles the window's events, as a host's loop does, until it has closed;
// false when it has not after a generous bound.
bool closes(X11AboutPresenter& about) {
  for (int i = 0; i < 1000 && about.openWindow(); ++i) {
    about.pump();
    if (about.openWindow()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return about.openWindow() == 0 && about.eventSource() == -1;
}

void sendKey(::Display* d, ::Window w, KeySym key) {
  XEvent e{};
  e.xkey.type = KeyPress;
  e.xkey.display = d;
  e.xkey.window = w;
  e.xkey.root = DefaultRootWindow(d);
  e.xkey.keycode = XKeysymToKeycode(d, key);
  e.xkey.same_screen = True;
  XSendEvent(d, w, False, KeyPressMask, &e);
  XFlush(d);
}

void sendClick(::Display* d, ::Window w, int x, int y) {
  XEvent e{};
  e.xbutton.type = ButtonPress;
  e.xbutton.display = d;
  e.xbutton.window = w;
  e.xbutton.root = DefaultRootWindow(d);
  e.xbutton.button = Button1;
  e.xbutton.x = x;
  e.xbutton.y = y;
  e.xbutton.same_screen = True;
  XSendEvent(d, w, False, ButtonPressMask, &e);
  XFlush(d);
}

TEST(X11About, OpensOnceWithItsCaptionAndPixelsAndClosesByEachWay) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  const Window layout = suiteAboutWindow();
  const Image expected = renderWindow(layout);
  const Box ok = layout.clientBox(layout.element("cmdOK"));
  const int okX = ok.left / kTwipsPerPixel + kFramePixels + 5, okY = ok.top / kTwipsPerPixel + kFramePixels + 5;

  struct Way {
    const char* name;
    void (*close)(::Display*, ::Window, int, int);
  } ways[] = {
      {"Esc", [](::Display* d, ::Window w, int, int) { sendKey(d, w, XK_Escape); }},
      {"Enter", [](::Display* d, ::Window w, int, int) { sendKey(d, w, XK_Return); }},
      {"OK", [](::Display* d, ::Window w, int x, int y) { sendClick(d, w, x, y); }},
      {"close box", [](::Display* d, ::Window w, int, int) { pressCloseBox(d, w); }},
  };
  X11AboutPresenter about(display().name());
  for (const auto& way : ways) {
    about.open(layout);
    const ::Window w = about.openWindow();
    ASSERT_NE(w, 0u) << way.name;
    about.open(layout);  // already open: the same window, raised
    EXPECT_EQ(about.openWindow(), w);

    char* name = nullptr;
    ASSERT_TRUE(XFetchName(c.d, w, &name));
    EXPECT_STREQ(name, "About Zavrin Studio Suite");
    XFree(name);
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(c.d, w, &a));
    EXPECT_EQ(a.width, expected.width);
    EXPECT_EQ(a.height, expected.height);
    EXPECT_EQ(differingPixels(c.d, w, expected), 0);

    // Nothing else closes it: a click beside the button, another key.
    sendClick(c.d, w, 2, 2);
    sendKey(c.d, w, XK_space);
    XSync(c.d, False);
    for (int i = 0; i < 5; ++i) about.pump();
    EXPECT_EQ(about.openWindow(), w) << way.name;

    way.close(c.d, w, okX, okY);
    EXPECT_TRUE(closes(about)) << way.name;
  }
}

TEST(X11About, AClickOnALinkOpensItAndLeavesTheWindowOpen) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  auto actions = std::make_shared<testing::RecordingActions>();
  X11AboutPresenter about(display().name(), actions);
  const Window layout = suiteAboutWindow();
  about.open(layout);
  const ::Window w = about.openWindow();
  ASSERT_NE(w, 0u);
  for (const char* name : {"lblLink", "lblMail"}) {
    const Box b = layout.clientBox(layout.element(name));
    sendClick(c.d, w, (b.left + b.width / 2) / kTwipsPerPixel + kFramePixels,
              (b.top + b.height / 2) / kTwipsPerPixel + kFramePixels);
  }
  XSync(c.d, False);
  for (int i = 0; i < 200 && actions->log.size() < 2; ++i) {
    about.pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(actions->log,
            (std::vector<std::string>{"open https://www.velquorsoft.com", "open mailto:support@velquorsoft.com"}));
  EXPECT_EQ(about.openWindow(), w);
  sendKey(c.d, w, XK_Escape);
  EXPECT_TRUE(closes(about));
}

TEST(X11About, AWindowDestroyedByAnotherClientOpensAnew) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  X11AboutPresenter about(display().name());
  const Window layout = suiteAboutWindow();
  about.open(layout);
  const ::Window first = about.openWindow();
  ASSERT_NE(first, 0u);
  XDestroyWindow(c.d, first);
  XSync(c.d, False);
  // The next About takes the destruction's notice first and shows a new window.
  about.open(layout);
  const ::Window second = about.openWindow();
  ASSERT_NE(second, 0u);  // the server may give the new window the old one's id
  EXPECT_TRUE(viewable(c.d, second));
  char* name = nullptr;
  ASSERT_TRUE(XFetchName(c.d, second, &name));
  EXPECT_STREQ(name, "About Zavrin Studio Suite");
  XFree(name);
  // Destroyed while nobody asks: pumping lets go of it.
  XDestroyWindow(c.d, second);
  XSync(c.d, False);
  EXPECT_TRUE(closes(about));
}

TEST(X11About, WithoutADisplayAboutShowsNothingAndWritesNothing) {
  setenv("DISPLAY", ":65533", 1);
  std::fflush(stdout);
  std::fflush(stderr);
  char path[] = "/tmp/zs-about-XXXXXX";
  const int file = mkstemp(path);
  ASSERT_GE(file, 0);
  const int savedOut = dup(1), savedErr = dup(2);
  dup2(file, 1);
  dup2(file, 2);
  create<Velquorsoft>()->About();
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(savedOut, 1);
  dup2(savedErr, 2);
  close(savedOut);
  close(savedErr);
  const off_t written = lseek(file, 0, SEEK_END);
  close(file);
  unlink(path);
  EXPECT_EQ(written, 0);
}

}  // namespace
}  // namespace zs::branding::posix
