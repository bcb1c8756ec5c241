// `zavrin splash`: the PNG of each style at its designed size with the
// properties given by --let, the suite about window, and the lines it refuses
// (no file is written then); --show on a private X server and without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "branding/picture.h"
#include "branding/posix/cairo_renderer.h"
#include "cli/command_run.h"
#include "platform/testing/scoped_variable.h"
#include "platform/testing/temp_folder.h"
#include "platform/testing/xvfb_server.h"

namespace zs::cli {
namespace {

using testing::Outcome;
using testing::run;

constexpr std::uint32_t kRed = 0xFFFF0000, kYellow = 0xFFFFFF00, kGreen = 0xFF00FF00;

long count(const branding::Image& image, std::uint32_t colour) {
  return std::count(image.pixels.begin(), image.pixels.end(), colour);
}

TEST(SplashCommand, WritesEachWindowWithItsPropertiesOrRefusesTheLine) {
  const platform::testsupport::TempFolder tmp;
  const std::string out = tmp.path() + "/splash.png", logo = tmp.path() + "/logo.png";
  branding::posix::writePng(branding::Image{8, 8, std::vector<std::uint32_t>(64, kGreen)}, logo);
  const struct {
    std::vector<std::string> line;
    int status;
    int width, height;  // the window with its thin frame, in pixels
    long red, yellow;   // pixels of that colour: at least (> 0) or none (0)
  } cases[] = {
      {{"splash", "--style", "0", "-o", out}, 0, 498, 328, 0, 0},
      {{"splash", "--style", "2", "--let", "ProductNameColor=255", "-o", out}, 0, 576, 272, 1, 0},
      // The Zavrin style shows the product name in yellow whatever its colour.
      {{"splash", "--style", "4", "--let", "ProductNameColor=255", "-o", out}, 0, 498, 306, 0, 1},
      {{"splash", "--style", "0", "--let", "ProductLogo=" + logo, "-o", out}, 0, 498, 328, 0, 0},
      {{"splash", "--about", "-o", out}, 0, 366, 174, 0, 0},
      {{"splash", "--style", "5", "-o", out}, 2, 0, 0, 0, 0},
      {{"splash", "-o", out}, 2, 0, 0, 0, 0},
      {{"splash", "--style", "0"}, 2, 0, 0, 0, 0},
      {{"splash", "--about", "--style", "1", "-o", out}, 2, 0, 0, 0, 0},
      {{"splash", "--style", "0", "--let", "Nope=1", "-o", out}, 1, 0, 0, 0, 0},
      {{"splash", "--style", "0", "--let", "ProductLogo=" + tmp.path() + "/missing.png", "-o", out}, 1, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(out);
    const std::string line = c.line[1] + " " + c.line[2];
    const Outcome ran = run(c.line);
    EXPECT_EQ(ran.status, c.status) << line << ": " << ran.err;
    EXPECT_EQ(ran.out, "") << line;
    ASSERT_EQ(std::filesystem::exists(out), c.status == 0) << line;
    if (c.status != 0) continue;
    const auto picture = branding::loadPicture(out);
    ASSERT_NE(picture->image(), nullptr) << line;
    const branding::Image& image = *picture->image();
    EXPECT_EQ(image.width, c.width) << line;
    EXPECT_EQ(image.height, c.height) << line;
    EXPECT_EQ(count(image, kRed) > 0, c.red > 0) << line;
    EXPECT_EQ(count(image, kYellow) > 0, c.yellow > 0) << line;
  }
  // The logo lies at imgLogo (the frame at 150, 60 and the logo at 240, 360
  // in it: client pixels 26, 28, behind the 3-pixel frame) at its own size.
  ASSERT_EQ(run({"splash", "--style", "0", "--let", "ProductLogo=" + logo, "-o", out}).status, 0);
  const auto shown = branding::loadPicture(out);
  EXPECT_EQ(shown->image()->at(29, 31), kGreen);
  EXPECT_EQ(shown->image()->at(29 + 7, 31 + 7), kGreen);
  EXPECT_NE(shown->image()->at(29 + 8, 31 + 8), kGreen);
}

// --show maps the window on $DISPLAY, at the size of its PNG, and ends with
// status 0; without a display it fails with status 1 and says why.
TEST(SplashCommand, ShowsTheWindowOnTheDisplayOrFailsWithoutOne) {
  const platform::testsupport::XvfbServer server;
  ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
  // A client of the test watches the top-level windows come and go.
  Display* watcher = XOpenDisplay(server.name().c_str());
  ASSERT_NE(watcher, nullptr);
  XSelectInput(watcher, DefaultRootWindow(watcher), SubstructureNotifyMask);
  XSync(watcher, False);

  const platform::testsupport::TempFolder tmp;
  const std::string out = tmp.path() + "/splash.png";
  Outcome shown, noDisplay;
  {
    const platform::testsupport::ScopedVariable display("DISPLAY", server.name());
    shown = run({"splash", "--style", "1", "--show", "1", "-o", out});
  }
  {
    const platform::testsupport::ScopedVariable display("DISPLAY", nullptr);
    noDisplay = run({"splash", "--style", "1", "--show", "1"});
  }
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(noDisplay.status, 1);
  EXPECT_EQ(noDisplay.err, "zavrin splash: no X display to show the window on\n");

  // The command's connection is closed: every event it caused has been sent.
  XSync(watcher, False);
  const auto picture = branding::loadPicture(out);
  ::Window created = 0;
  bool mapped = false;
  while (XPending(watcher) > 0) {
    XEvent e;
    XNextEvent(watcher, &e);
    if (e.type == CreateNotify && e.xcreatewindow.width == picture->image()->width &&
        e.xcreatewindow.height == picture->image()->height)
      created = e.xcreatewindow.window;
    mapped = mapped || (e.type == MapNotify && created && e.xmap.window == created);
  }
  EXPECT_TRUE(mapped) << "no window of the splash's size was mapped";
  XCloseDisplay(watcher);
}

}  // namespace
}  // namespace zs::cli
