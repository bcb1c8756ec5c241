// The X11 presenter against an Xvfb server that the test starts on a display
// number the server picks itself (-displayfd), never the user's display.
#include "branding/posix/x11_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/testing/virtual_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zs::branding::posix {
namespace {

Window filledSplash(int style) {
  PangoMeasurer m;
  Window w = designedSplash(style);
  SplashValues v;
  v.licenseTo = u"Valued Customer";
  v.productName = u"Your Product";
  v.platform = u"Linux";
  v.copyrightWarning = u"Warning text at the bottom";
  fillSplash(w, style, v, m);
  return w;
}

std::vector<Atom> atomList(::Display* d, ::Window w, const char* property) {
  Atom type;
  int format;
  unsigned long n = 0, after;
  unsigned char* data = nullptr;
  std::vector<Atom> out;
  if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 64, False, AnyPropertyType, &type,
                         &format, &n, &after, &data) == Success && data) {
    if (format == 32) out.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + n);
    XFree(data);
  }
  return out;
}

TEST(X11Presenter, ShowsEachStyleCentredAtItsSizeWithThePixelsOfItsImage) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  X11Presenter presenter(display().name());
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  for (int style = 0; style < kSplashStyles; ++style) {
    const Window w = filledSplash(style);
    const Image expected = renderWindow(w);
    presenter.show(style, w);
    const ::Window xw = presenter.windowOf(style);
    ASSERT_NE(xw, 0u);
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(c.d, xw, &a));
    EXPECT_EQ(a.map_state, IsViewable);
    EXPECT_EQ(a.width, expected.width);
    EXPECT_EQ(a.height, expected.height);
    EXPECT_EQ(a.x, (kScreenWidth - expected.width) / 2);
    EXPECT_EQ(a.y, (kScreenHeight - expected.height) / 2);

    EXPECT_EQ(differingPixels(c.d, xw, expected), 0) << "style " << style;

    // Kept out of the task bar, undecorated and of one fixed size.
    const auto state = atomList(c.d, xw, "_NET_WM_STATE");
    EXPECT_NE(std::find(state.begin(), state.end(), XInternAtom(c.d, "_NET_WM_STATE_SKIP_TASKBAR", False)),
              state.end());
    const auto motif = atomList(c.d, xw, "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[2], 0u);  // no decorations
    XSizeHints hints;
    long supplied;
    ASSERT_TRUE(XGetWMNormalHints(c.d, xw, &hints, &supplied));
    EXPECT_EQ(hints.min_width, hints.max_width);
    EXPECT_EQ(hints.min_height, hints.max_height);
  }
  presenter.hide(zvZavrin);
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(c.d, presenter.windowOf(zvZavrin), &a));
  EXPECT_EQ(a.map_state, IsUnmapped);
  ASSERT_TRUE(XGetWindowAttributes(c.d, presenter.windowOf(zvStandard), &a));
  EXPECT_EQ(a.map_state, IsViewable);  // hiding one style leaves the others
}

// Another client may destroy a splash window (any X client can); the next show
// or hide must neither take the host down with an X error nor leave the slot
// pointing at a dead window.
TEST(X11Presenter, AWindowAnotherClientDestroyedIsMadeAgainByTheNextShow) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  X11Presenter presenter(display().name());
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  const Window w = filledSplash(zvSerated);
  const Image expected = renderWindow(w);
  struct Case {
    const char* what;
    bool hideFirst;
  } cases[] = {{"show after the destruction", false}, {"hide, then show", true}};
  for (const auto& k : cases) {
    presenter.show(zvSerated, w);
    const ::Window old = presenter.windowOf(zvSerated);
    ASSERT_NE(old, 0u);
    XDestroyWindow(c.d, old);
    XSync(c.d, False);
    if (k.hideFirst) presenter.hide(zvSerated);
    presenter.show(zvSerated, w);
    const ::Window now = presenter.windowOf(zvSerated);
    ASSERT_NE(now, 0u) << k.what;
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(c.d, now, &a)) << k.what;
    EXPECT_EQ(a.map_state, IsViewable) << k.what;
    EXPECT_EQ(differingPixels(c.d, now, expected), 0) << k.what;
  }
}

TEST(X11Presenter, WithoutADisplayNothingIsShownAndNothingFails) {
  X11Presenter presenter(":65533");
  EXPECT_FALSE(presenter.open());
  EXPECT_NO_THROW(presenter.show(0, filledSplash(0)));
  EXPECT_NO_THROW(presenter.hide(0));
  EXPECT_EQ(presenter.windowOf(0), 0u);
}

TEST(SplashWindows, OneSetPerThread) {
  auto here = threadSplashWindows();
  EXPECT_EQ(here, threadSplashWindows());
  std::shared_ptr<SplashWindows> there;
  std::thread([&] { there = threadSplashWindows(); }).join();
  EXPECT_NE(here, there);
}

}  // namespace
}  // namespace zs::branding::posix
