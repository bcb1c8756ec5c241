// A dialog opened through `zavrin serve` on an Xvfb of the test's own stays
// live between requests: the host pumps its events while it waits for the
// next request, so a hover repaints it and Esc closes it.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "branding/about_layouts.h"
#include "branding/posix/pango_text.h"
#include "branding/testing/virtual_display.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

extern char** environ;

namespace zs::branding::posix {
namespace {

// `zavrin serve` with DISPLAY set to the test's server, its standard input
// and output pipes.
class ServeProcess {
 public:
  explicit ServeProcess(const std::string& displayName) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    for (int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<std::string> env = {"DISPLAY=" + displayName};
    for (char** e = environ; *e; ++e)
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char program[] = ZS_ZAVRIN_COMMAND;
    char name[] = "zavrin", command[] = "serve";
    char* argv[] = {name, command, nullptr};
    if (posix_spawn(&pid_, program, &actions, nullptr, argv, envp.data()) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    in_ = in[1];
    out_ = out[0];
  }
  ~ServeProcess() {
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  ServeProcess(const ServeProcess&) = delete;
  ServeProcess& operator=(const ServeProcess&) = delete;

  // Sends one request line and returns its answer line ("" after 30 s).
  std::string request(const std::string& line) {
    const std::string text = line + "\n";
    if (write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return {};
    std::string answer;
    pollfd p{out_, POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 30000) > 0 && read(out_, &c, 1) == 1 && c != '\n') answer += c;
    return answer;
  }
  void endInput() {
    close(in_);
    in_ = -1;
  }
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = 0;
  int in_ = -1, out_ = -1;
};

// The top-level window of that name, 0 when there is none.
::Window windowNamed(::Display* d, const char* wanted) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(d, children[i], &name) && name) {
      if (std::strcmp(name, wanted) == 0) found = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  return found;
}

// Waits (bounded) for a condition that the serve process brings about.
template <class F>
bool eventually(F condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

bool hasPixel(::Display* d, ::Window w, int x, int y, int width, int height, unsigned long rgb) {
  XImage* shot = XGetImage(d, w, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!shot) return false;
  bool found = false;
  for (int j = 0; j < height && !found; ++j)
    for (int i = 0; i < width && !found; ++i) found = (XGetPixel(shot, i, j) & 0xFFFFFF) == rgb;
  XDestroyImage(shot);
  return found;
}

TEST(X11ServeDialog, ADialogOpenedThroughServeAnswersHoverAndEscBetweenRequests) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  ServeProcess serve(display().name());
  ASSERT_TRUE(serve.started());
  EXPECT_NE(serve.request(R"({"id":1,"op":"create","class":"ZSAboutBox"})").find("\"ok\":true"), std::string::npos);
  EXPECT_NE(serve.request(R"({"id":2,"op":"invoke","handle":1,"member":"ShowAbout"})").find("\"ok\":true"),
            std::string::npos);
  ::Window w = 0;
  ASSERT_TRUE(eventually([&] { return (w = windowNamed(c.d, "About ZavrinAboutBox")) != 0; }));

  // Where the web link lies, from the same layout the host filled.
  PangoMeasurer m;
  Window layout = designedAbout(zvAboutStandard, m);
  AboutValues v;
  v.websiteUrl = u"www.velquorsoft.com";
  fillAbout(layout, v, m);
  const Box url = layout.clientBox(layout.element("lblUrl"));
  const int x = url.left / kTwipsPerPixel + kFramePixels, y = url.top / kTwipsPerPixel + kFramePixels;
  const int width = url.width / kTwipsPerPixel, height = url.height / kTwipsPerPixel;

  XEvent e{};
  e.xmotion.type = MotionNotify;
  e.xmotion.window = w;
  e.xmotion.x = x + width / 2;
  e.xmotion.y = y + height / 2;
  e.xmotion.same_screen = True;
  XSendEvent(c.d, w, False, PointerMotionMask, &e);
  XSync(c.d, False);
  EXPECT_TRUE(eventually([&] { return hasPixel(c.d, w, x, y, width, height, 0x0000FF); }))
      << "the link did not turn bright blue";

  XEvent k{};
  k.xkey.type = KeyPress;
  k.xkey.window = w;
  k.xkey.keycode = XKeysymToKeycode(c.d, XK_Escape);
  k.xkey.same_screen = True;
  XSendEvent(c.d, w, False, KeyPressMask, &k);
  XSync(c.d, False);
  EXPECT_TRUE(eventually([&] {
    XWindowAttributes a;
    return XGetWindowAttributes(c.d, w, &a) && a.map_state == IsUnmapped;
  })) << "Esc did not close the dialog";
  // The host still answers.
  EXPECT_NE(serve.request(R"({"id":3,"op":"release","handle":1})").find("\"ok\":true"), std::string::npos);
  serve.endInput();
}

}  // namespace
}  // namespace zs::branding::posix
