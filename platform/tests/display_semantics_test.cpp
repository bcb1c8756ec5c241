// The display settings of user32 and the device capabilities of gdi32, the same
// checks over the in-memory display and over the X backend talking to a
// private Xvfb (a mode added with RandR, switched to and back). Also the X
// backend without any server.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstring>
#include <functional>
#include <memory>

#include "platform/posix/gdi32_posix.h"
#include "platform/posix/user32_posix.h"
#include "platform/testing/fake_display.h"
#include "platform/testing/xvfb_server.h"

namespace zs::platform {
namespace {

using testsupport::XvfbServer;

struct Backend {
  User32* user32;
  Gdi32* gdi32;
};

DEVMODEA modeOf(DWORD width, DWORD height, DWORD bits) {
  DEVMODEA m{};
  m.dmFields = kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel;
  m.dmPelsWidth = width;
  m.dmPelsHeight = height;
  m.dmBitsPerPel = bits;
  return m;
}

// Both displays show 1024x768 at 32 bits per pixel and also have 800x600.
void checkDisplay(const Backend& b) {
  DEVMODEA m{};
  ASSERT_TRUE(b.user32->EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &m));
  EXPECT_EQ(m.dmPelsWidth, 1024u);
  EXPECT_EQ(m.dmPelsHeight, 768u);
  EXPECT_EQ(m.dmBitsPerPel, 32u);
  EXPECT_EQ(m.dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(m.dmFields & (kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel),
            kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel);

  const struct {
    DWORD index;
    DWORD width, height;  // 0: no such mode
  } listed[] = {{0, 1024, 768}, {1, 800, 600}, {2, 0, 0}, {0x7FFFFFFF, 0, 0}};
  for (const auto& l : listed) {
    DEVMODEA e{};
    const BOOL found = b.user32->EnumDisplaySettingsA(nullptr, l.index, &e);
    EXPECT_EQ(found != 0, l.width != 0) << l.index;
    if (found) {
      EXPECT_EQ(e.dmPelsWidth * 10000 + e.dmPelsHeight, l.width * 10000 + l.height);
    }
  }

  const struct {
    DWORD width, height, bits;
    LONG result;
  } tests[] = {
      {800, 600, 32, kDispChangeSuccessful},
      {1024, 768, 32, kDispChangeSuccessful},
      {640, 480, 32, kDispChangeBadMode},
      {800, 600, 16, kDispChangeBadMode},
      {600, 800, 32, kDispChangeBadMode},
      {800, 600, 0xFFFF, kDispChangeBadMode},
  };
  for (const auto& t : tests) {
    DEVMODEA ask = modeOf(t.width, t.height, t.bits);
    EXPECT_EQ(b.user32->ChangeDisplaySettingsA(&ask, kCdsTest), t.result)
        << t.width << "x" << t.height << "x" << t.bits;
  }
  DEVMODEA still{};
  b.user32->EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &still);
  EXPECT_EQ(still.dmPelsWidth, 1024u) << "a test changes nothing";

  const HDC dc = b.gdi32->CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  ASSERT_NE(dc, 0u);
  EXPECT_EQ(b.gdi32->GetDeviceCaps(dc, kBitsPixel), 32);
  EXPECT_EQ(b.gdi32->GetDeviceCaps(dc, kHorzRes), 1024);
  EXPECT_EQ(b.gdi32->GetDeviceCaps(dc, kVertRes), 768);
  EXPECT_EQ(b.gdi32->GetDeviceCaps(dc, 9999), 0);

  // Switched to 800x600 and back; the context answers the new mode.
  for (DWORD width : {800u, 1024u}) {
    DEVMODEA to = modeOf(width, width * 3 / 4, 32);
    ASSERT_EQ(b.user32->ChangeDisplaySettingsA(&to, kCdsUpdateRegistry), kDispChangeSuccessful);
    DEVMODEA now{};
    ASSERT_TRUE(b.user32->EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &now));
    EXPECT_EQ(now.dmPelsWidth, width);
    EXPECT_EQ(now.dmPelsHeight, width * 3 / 4);
    EXPECT_EQ(b.gdi32->GetDeviceCaps(dc, kHorzRes), static_cast<int>(width));
  }
  EXPECT_TRUE(b.gdi32->DeleteDC(dc));
  EXPECT_EQ(b.gdi32->CreateDCA("PRINTER", nullptr, nullptr, nullptr), 0u);

  DWORD_PTR answer = 7;
  EXPECT_NE(b.user32->SendMessageTimeoutA(kHwndBroadcast, kWmDisplayChange, 32,
                                          768 * 65536 + 1024, kSmtoAbortIfHung, 1000, &answer),
            0);
}

TEST(DisplaySemantics, Fake) {
  testing::FakeDisplay fake({{1024, 768, 32}, {800, 600, 32}}, 0);
  checkDisplay({&fake, &fake});
}

TEST(DisplaySemantics, XServerWithRandr) {
  XvfbServer server("1024x768x24");
  ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
  ASSERT_TRUE(server.addMode(800, 600));
  posix::User32Posix user32(stderr, server.name());
  posix::Gdi32Posix gdi32(server.name());
  checkDisplay({&user32, &gdi32});
}

TEST(DisplaySemantics, XServerOfAnotherDepth) {
  XvfbServer server("800x600x16");
  ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
  posix::User32Posix user32(stderr, server.name());
  DEVMODEA m{};
  ASSERT_TRUE(user32.EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &m));
  EXPECT_EQ(m.dmBitsPerPel, 16u);
  EXPECT_EQ(m.dmPelsWidth, 800u);
  DEVMODEA deeper = modeOf(800, 600, 32);
  EXPECT_EQ(user32.ChangeDisplaySettingsA(&deeper, kCdsTest), kDispChangeBadMode)
      << "X cannot change the depth of a running server";
  DEVMODEA same = modeOf(800, 600, 16);
  EXPECT_EQ(user32.ChangeDisplaySettingsA(&same, 0), kDispChangeSuccessful);
  DEVMODEA sizeOnly{};
  sizeOnly.dmFields = kDmPelsWidth;
  sizeOnly.dmPelsWidth = 800;
  EXPECT_EQ(user32.ChangeDisplaySettingsA(&sizeOnly, kCdsTest), kDispChangeSuccessful)
      << "fields left out keep their current value";
}

// Xlib's error handler belongs to the whole process: the backend borrows it
// for its own connection and hands back the host's.
int hostHandler(Display*, XErrorEvent*) { return 0; }

TEST(DisplaySemantics, HostsErrorHandlerIsPutBack) {
  XvfbServer server("1024x768x24");
  ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
  posix::User32Posix user32(stderr, server.name());
  XSetErrorHandler(&hostHandler);
  DEVMODEA m{};
  EXPECT_TRUE(user32.EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &m));
  DEVMODEA ask = modeOf(1024, 768, 32);
  EXPECT_EQ(user32.ChangeDisplaySettingsA(&ask, 0), kDispChangeSuccessful);
  EXPECT_EQ(XSetErrorHandler(nullptr), &hostHandler);
}

TEST(DisplaySemantics, NoXServer) {
  // A display number without a server (no socket): nothing answers, nothing fails hard.
  posix::User32Posix user32(stderr, ":65432");
  posix::Gdi32Posix gdi32(":65432");
  DEVMODEA m{};
  EXPECT_FALSE(user32.EnumDisplaySettingsA(nullptr, kEnumCurrentSettings, &m));
  EXPECT_FALSE(user32.EnumDisplaySettingsA(nullptr, 0, &m));
  EXPECT_EQ(m.dmPelsWidth, 0u);
  DEVMODEA ask = modeOf(800, 600, 32);
  EXPECT_EQ(user32.ChangeDisplaySettingsA(&ask, kCdsTest), kDispChangeFailed);
  const HDC dc = gdi32.CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  EXPECT_EQ(gdi32.GetDeviceCaps(dc, kBitsPixel), 0);
  EXPECT_TRUE(gdi32.DeleteDC(dc));
}

}  // namespace
}  // namespace zs::platform
