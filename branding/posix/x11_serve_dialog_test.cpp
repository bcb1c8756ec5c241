// A dialog opened through `zavrin serve` on an Xvfb of the test's own stays
// live between requests: the host pumps its events while it waits for the
// next request, so a hover repaints it, its links reach the desktop's opener
// (stand-ins on PATH), System Info shows its modal message box, and Esc
// closes it.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "branding/about_layouts.h"
#include "branding/posix/pango_text.h"
#include "branding/testing/virtual_display.h"
#include "branding/testing/x11_input.h"
#include "platform/tests/stub_tools.h"

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

bool hasPixel(::Display* d, ::Window w, int x, int y, int width, int height, unsigned long rgb) {
  XImage* shot = XGetImage(d, w, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!shot) return false;
  bool found = false;
  for (int j = 0; j < height && !found; ++j)
    for (int i = 0; i < width && !found; ++i) found = (XGetPixel(shot, i, j) & 0xFFFFFF) == rgb;
  XDestroyImage(shot);
  return found;
}

// Esc sent to a window from the test's connection.
void sendEsc(::Display* d, ::Window w) {
  XEvent k{};
  k.xkey.type = KeyPress;
  k.xkey.window = w;
  k.xkey.keycode = XKeysymToKeycode(d, XK_Escape);
  k.xkey.same_screen = True;
  XSendEvent(d, w, False, KeyPressMask, &k);
  XSync(d, False);
}

bool unmapped(::Display* d, ::Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) && a.map_state == IsUnmapped;
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

  sendEsc(c.d, w);
  EXPECT_TRUE(eventually([&] { return unmapped(c.d, w); })) << "Esc did not close the dialog";
  // The host still answers.
  EXPECT_NE(serve.request(R"({"id":3,"op":"release","handle":1})").find("\"ok\":true"), std::string::npos);
  serve.endInput();
}


bool ok(const std::string& answer) { return answer.find("\"ok\":true") != std::string::npos; }

// Real input through XTest: a click on the web link hands the address to
// xdg-open and one on the mail link "mailto:" and the address to xdg-email,
// each as one argument however it reads; System Info, with no
// system-information program in the (empty) registry store, shows the modal
// message box, which Enter answers; then Esc closes the dialog.
TEST(X11ServeDialog, LinksReachTheDesktopsOpenerAndSystemInfoShowsTheMessageBox) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  platform::testsupport::StubTools stubs({"xdg-open", "xdg-email"});
  const platform::testsupport::ScopedVariable store("ZAVRIN_REGISTRY_DIR", stubs.folder() + "/store");
  ServeProcess serve(display().name());
  ASSERT_TRUE(serve.started());

  const std::string url = "https://example.com/a b?q=$(id)&x='1'";
  const std::string mail = "ana@example.com";
  ASSERT_TRUE(ok(serve.request(R"({"id":1,"op":"create","class":"ZSAboutBox"})")));
  // The texts hold no character that JSON would have to escape.
  auto let = [&](int id, const char* member, const std::string& text) {
    return ok(serve.request(R"({"id":)" + std::to_string(id) + R"(,"op":"invoke","handle":1,"member":")" + member +
                            R"(","kind":"let","args":[{"type":"String","value":")" + text + R"("}]})"));
  };
  ASSERT_TRUE(let(2, "WebsiteUrl", url));
  ASSERT_TRUE(let(3, "Mailto", mail));
  ASSERT_TRUE(ok(serve.request(R"({"id":4,"op":"invoke","handle":1,"member":"ShowAbout"})")));
  ::Window w = 0;
  ASSERT_TRUE(eventually([&] { return (w = windowNamed(c.d, "About ZavrinAboutBox")) != 0 && viewable(c.d, w); }));

  // Where the links and the button lie, from the same layout the host filled.
  PangoMeasurer m;
  Window layout = designedAbout(zvAboutStandard, m);
  AboutValues v;
  v.websiteUrl = u16(url);
  v.mailto = u16(mail);
  fillAbout(layout, v, m);
  auto at = [&](const char* element) { return screenPoint(c.d, w, layout.clientBox(layout.element(element))); };

  clickAt(c.d, at("lblUrl"));
  const auto opened = stubs.runs("xdg-open");
  ASSERT_EQ(opened.size(), 1u) << "the web link did not reach xdg-open";
  EXPECT_EQ(opened[0].args, std::vector<std::string>{url});
  clickAt(c.d, at("lblMail"));
  const auto mailed = stubs.runs("xdg-email");
  ASSERT_EQ(mailed.size(), 1u) << "the mail link did not reach xdg-email; runs: " << stubs.allRuns();
  EXPECT_EQ(mailed[0].args, std::vector<std::string>{"mailto:" + mail});

  clickAt(c.d, at("cmdSysInfo"));
  ::Window box = 0;
  ASSERT_TRUE(eventually([&] { return (box = windowNamed(c.d, "VQZavrinStudio")) != 0 && hasFocus(c.d, box); }))
      << "System Info showed no message box";
  typeKey(c.d, XK_Return);
  EXPECT_TRUE(eventually([&] { return windowNamed(c.d, "VQZavrinStudio") == 0; })) << "Enter did not answer it";

  // The keyboard is back with the window under the pointer.
  pointerTo(c.d, at("lblDescription"));
  typeKey(c.d, XK_Escape);
  EXPECT_TRUE(eventually([&] { return unmapped(c.d, w); })) << "Esc did not close the dialog";
  EXPECT_TRUE(ok(serve.request(R"({"id":5,"op":"release","handle":1})")));
  serve.endInput();
  EXPECT_EQ(stubs.allRuns(), 2u);
}

// The suite about window, opened by ZSVelquorsoft.About beside an open about
// dialog, closes by Esc while the host waits; the dialog stays and still
// answers, so the host listens to both windows at once.
TEST(X11ServeDialog, TheSuiteAboutWindowClosesBetweenRequestsBesideADialog) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  ServeProcess serve(display().name());
  ASSERT_TRUE(serve.started());
  ASSERT_TRUE(ok(serve.request(R"({"id":1,"op":"create","class":"ZSAboutBox"})")));
  ASSERT_TRUE(ok(serve.request(R"({"id":2,"op":"invoke","handle":1,"member":"ShowAbout"})")));
  ASSERT_TRUE(ok(serve.request(R"({"id":3,"op":"create","class":"ZSVelquorsoft"})")));
  ASSERT_TRUE(ok(serve.request(R"({"id":4,"op":"invoke","handle":2,"member":"About"})")));
  ::Window dialog = 0, suite = 0;
  ASSERT_TRUE(eventually([&] { return (dialog = windowNamed(c.d, "About ZavrinAboutBox")) != 0; }));
  ASSERT_TRUE(eventually([&] { return (suite = windowNamed(c.d, "About Zavrin Studio Suite")) != 0; }));

  sendEsc(c.d, suite);
  EXPECT_TRUE(eventually([&] { return windowNamed(c.d, "About Zavrin Studio Suite") == 0; }))
      << "Esc did not close the suite about window";
  EXPECT_NE(windowNamed(c.d, "About ZavrinAboutBox"), 0u) << "the dialog closed too";
  // Opened again, it is a window anew.
  ASSERT_TRUE(ok(serve.request(R"({"id":5,"op":"invoke","handle":2,"member":"About"})")));
  EXPECT_TRUE(eventually([&] { return windowNamed(c.d, "About Zavrin Studio Suite") != 0; }));
  sendEsc(c.d, dialog);
  EXPECT_TRUE(eventually([&] { return unmapped(c.d, dialog); })) << "Esc did not close the dialog";
  EXPECT_TRUE(ok(serve.request(R"({"id":6,"op":"release","handle":1})")));
  serve.endInput();
}

}  // namespace
}  // namespace zs::branding::posix
