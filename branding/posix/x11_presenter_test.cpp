// The X11 presenter against an Xvfb server that the test starts on a display
// number the server picks itself (-displayfd), never the user's display.
#include "branding/posix/x11_presenter.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace zs::branding::posix {
namespace {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// An Xvfb of its own for the test suite, stopped at the end.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const std::string screen = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
    const char* argv[] = {ZS_XVFB_PATH, "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                          "-nolisten", "tcp", "-nocursor", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      pid_ = 0;
      close(fds[0]);
      return;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~VirtualDisplay() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

VirtualDisplay& display() {
  static VirtualDisplay d;
  return d;
}

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

struct Connection {
  explicit Connection(const std::string& name) : d(XOpenDisplay(name.c_str())) {}
  ~Connection() {
    if (d) XCloseDisplay(d);
  }
  ::Display* d;
};

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

    XImage* shot = XGetImage(c.d, xw, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                             AllPlanes, ZPixmap);
    ASSERT_NE(shot, nullptr);
    int differing = 0;
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x)
        differing += (XGetPixel(shot, x, y) & 0xFFFFFF) != (expected.at(x, y) & 0xFFFFFF);
    XDestroyImage(shot);
    EXPECT_EQ(differing, 0) << "style " << style;

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
