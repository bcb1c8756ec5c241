// ZSScreenModes over the in-memory display: the current-mode members and their
// 16-bit rules, and ChangeDisplay's call sequence, validation, omitted depth
// and bounded broadcast.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error_testing.h"
#include "platform/posix/gdi32_posix.h"
#include "platform/posix/user32_posix.h"
#include "platform/testing/fake_display.h"
#include "platform/testing/xvfb_server.h"
#include "sysinfo/screen_modes.h"

namespace zs {
namespace {

using platform::testing::FakeDisplay;
using Calls = std::vector<std::string>;

std::shared_ptr<ScreenModes> screenOver(const std::shared_ptr<FakeDisplay>& display) {
  platform::Libraries libs;
  libs.user32 = display;
  libs.gdi32 = display;
  return create<ScreenModes>(libs);
}

// A display that has 640x480x8 first (the template), then its current mode.
std::shared_ptr<FakeDisplay> displayShowing(FakeDisplay::Mode current) {
  return std::make_shared<FakeDisplay>(
      std::vector<FakeDisplay::Mode>{{640, 480, 8}, current, {1024, 768, 16}, {800, 600, 32}}, 1);
}

TEST(ScreenModes, CurrentModeMembersAndTheir16BitRules) {
  struct Case {
    FakeDisplay::Mode mode;
    platform::WORD bitsHighHalf;
    Long bits;
    int width, height;  // -1: overflow
  } cases[] = {
      {{1600, 1200, 32}, 0, 32, 1600, 1200},
      {{1600, 1200, 16}, 0xABCD, 16, 1600, 1200},  // the high half is not part of the depth
      {{32767, 32767, 0x7FFF}, 0, 32767, 32767, 32767},
      {{32768, 100, 0x8000}, 0, -32768, -1, 100},
      {{100, 65535, 0xFFFF}, 0x1, -1, 100, -1},
  };
  for (const auto& c : cases) {
    auto display = displayShowing(c.mode);
    display->setBitsHighHalf(c.bitsHighHalf);
    auto screen = screenOver(display);
    SCOPED_TRACE(std::to_string(c.mode.width) + "x" + std::to_string(c.mode.height));
    EXPECT_EQ(screen->ColorBits(), c.bits);
    if (c.width < 0) {
      EXPECT_EQ(errorOf([&] { screen->ScreenWidth(); }), err::kOverflow);
    } else {
      EXPECT_EQ(screen->ScreenWidth(), c.width);
    }
    if (c.height < 0) {
      EXPECT_EQ(errorOf([&] { screen->ScreenHeight(); }), err::kOverflow);
    } else {
      EXPECT_EQ(screen->ScreenHeight(), c.height);
    }
    EXPECT_EQ(display->calls(), Calls(3, "EnumDisplaySettingsA(-1)")) << "asked afresh each time";
  }
}

TEST(ScreenModes, NoDisplayReadsAsZeroWithoutError) {
  auto display = std::make_shared<FakeDisplay>();
  auto screen = screenOver(display);
  EXPECT_EQ(screen->ColorBits(), 0);
  EXPECT_EQ(screen->ScreenWidth(), 0);
  EXPECT_EQ(screen->ScreenHeight(), 0);
  EXPECT_EQ(screen->ChangeDisplay(zv800x600, 32), 0);
  EXPECT_EQ(display->changes().size(), 1u) << "the test call fails: nothing applied";
}

TEST(ScreenModes, AcceptedModeIsTestedAppliedAndBroadcastBounded) {
  auto display = displayShowing({800, 600, 32});
  display->setBitsHighHalf(0x0102);
  auto screen = screenOver(display);
  EXPECT_EQ(screen->ChangeDisplay(zv1024x768, 16), 0);
  EXPECT_EQ(display->calls(),
            (Calls{"EnumDisplaySettingsA(0)",
                   "ChangeDisplaySettingsA(1024x768x16 fields=1C0000 flags=2)",
                   "ChangeDisplaySettingsA(1024x768x16 fields=1C0000 flags=1)",
                   "SendMessageTimeoutA(FFFF 7E 16 50332672 flags=2 timeout=1000)"}));
  EXPECT_EQ(display->current().width, 1024u);
  // The record is the template with four fields replaced: the size the system
  // wrote stays, and so does the high half of the depth field.
  const auto& sent = display->changes().at(0);
  EXPECT_EQ(sent.dmSize, sizeof(platform::DEVMODEA));
  EXPECT_EQ(sent.dmBitsPerPel, 0x01020010u);
  EXPECT_EQ(std::memcmp(&sent, &display->changes().at(1), sizeof sent), 0) << "same record twice";
}

TEST(ScreenModes, RefusedModeChangesNothingAndBroadcastsNothing) {
  auto display = displayShowing({800, 600, 32});
  auto screen = screenOver(display);
  EXPECT_EQ(screen->ChangeDisplay(zv1600x1200, 32), 0);
  EXPECT_EQ(display->calls(),
            (Calls{"EnumDisplaySettingsA(0)",
                   "ChangeDisplaySettingsA(1600x1200x32 fields=1C0000 flags=2)"}));
  EXPECT_EQ(display->current().width, 800u);
}

TEST(ScreenModes, EachSizeNamesItsResolution) {
  const struct {
    Long size;
    const char* test;
  } cases[] = {
      {zv640x480, "ChangeDisplaySettingsA(640x480x24 fields=1C0000 flags=2)"},
      {zv800x600, "ChangeDisplaySettingsA(800x600x24 fields=1C0000 flags=2)"},
      {zv1024x768, "ChangeDisplaySettingsA(1024x768x24 fields=1C0000 flags=2)"},
      {zv1280x1024, "ChangeDisplaySettingsA(1280x1024x24 fields=1C0000 flags=2)"},
      {zv1600x1200, "ChangeDisplaySettingsA(1600x1200x24 fields=1C0000 flags=2)"},
  };
  for (const auto& c : cases) {
    auto display = displayShowing({800, 600, 32});
    screenOver(display)->ChangeDisplay(c.size, 24);
    EXPECT_EQ(display->calls().at(1), c.test);
  }
}

TEST(ScreenModes, ValidationComesBeforeAnyPlatformCall) {
  const struct {
    Long size, bits;
    int error;
  } cases[] = {
      {-1, 16, 0}, {5, 16, 0}, {INT_MIN, 16, 0}, {INT_MAX, 16, 0},
      {5, 70000, 0},  // an unknown size changes nothing, whatever the depth
      {zv800x600, 32768, err::kOverflow}, {zv800x600, -32769, err::kOverflow},
      {zv800x600, INT_MIN, err::kOverflow},
  };
  for (const auto& c : cases) {
    auto display = displayShowing({800, 600, 32});
    auto screen = screenOver(display);
    Long result = -1;
    EXPECT_EQ(errorOf([&] { result = screen->ChangeDisplay(c.size, c.bits); }), c.error)
        << c.size << " " << c.bits;
    if (!c.error) {
      EXPECT_EQ(result, 0);
    }
    EXPECT_TRUE(display->calls().empty()) << c.size << " " << c.bits;
  }
}

TEST(ScreenModes, DepthLimitsPassAsSigned16Bits) {
  for (Long bits : {-32768, -1, 32767}) {
    auto display = displayShowing({800, 600, 32});
    screenOver(display)->ChangeDisplay(zv800x600, bits);
    ASSERT_EQ(display->changes().size(), 1u) << "refused by the test call";
    EXPECT_EQ(display->changes()[0].dmBitsPerPel, static_cast<platform::DWORD>(bits) & 0xFFFF);
  }
}

TEST(ScreenModes, OmittedDepthKeepsTheCurrentOne) {
  auto display = displayShowing({800, 600, 32});
  auto screen = screenOver(display);
  screen->ChangeDisplay(zv1024x768);  // the display has 1024x768 only at 16 bits
  screen->ChangeDisplay(zv800x600);
  EXPECT_EQ(display->calls(),
            (Calls{"CreateDCA(DISPLAY)", "GetDeviceCaps(12)", "DeleteDC", "EnumDisplaySettingsA(0)",
                   "ChangeDisplaySettingsA(1024x768x32 fields=1C0000 flags=2)",
                   "CreateDCA(DISPLAY)", "GetDeviceCaps(12)", "DeleteDC", "EnumDisplaySettingsA(0)",
                   "ChangeDisplaySettingsA(800x600x32 fields=1C0000 flags=2)",
                   "ChangeDisplaySettingsA(800x600x32 fields=1C0000 flags=1)",
                   "SendMessageTimeoutA(FFFF 7E 32 39322400 flags=2 timeout=1000)"}));
  EXPECT_EQ(display->openContexts(), 0);
}

TEST(ScreenModes, OmittedDepthWithoutAContextSendsZero) {
  auto display = std::make_shared<FakeDisplay>();
  screenOver(display)->ChangeDisplay(zv640x480);
  EXPECT_EQ(display->calls(),
            (Calls{"CreateDCA(DISPLAY)", "EnumDisplaySettingsA(0)",
                   "ChangeDisplaySettingsA(640x480x0 fields=1C0000 flags=2)"}));

  // A library set without gdi32 at all.
  auto userOnly = std::make_shared<FakeDisplay>();
  platform::Libraries libs;
  libs.user32 = userOnly;
  create<ScreenModes>(libs)->ChangeDisplay(zv640x480);
  EXPECT_EQ(userOnly->calls().back(), "ChangeDisplaySettingsA(640x480x0 fields=1C0000 flags=2)");
}

TEST(ScreenModes, ChangeDisplayThroughDispatchLeavesItsArgumentsAlone) {
  auto display = displayShowing({800, 600, 32});
  auto screen = screenOver(display);
  std::vector<Argument> args{Argument::byReference(Variant(Long{zv1024x768})),
                             Argument::byReference(Variant(Long{16}))};
  EXPECT_EQ(invoke(*screen, "ChangeDisplay", CallKind::Method, args).lng(), 0);
  EXPECT_EQ(args[0].value.lng(), zv1024x768);
  EXPECT_EQ(args[1].value.lng(), 16);
  EXPECT_EQ(display->current().width, 1024u);

  // Omitted and an explicit 0 ask for the same mode.
  auto callsFor = [](Argument bits) {
    auto fresh = displayShowing({800, 600, 32});
    std::vector<Argument> a{Argument::byReference(Variant(Long{zv800x600})), bits};
    invoke(*screenOver(fresh), "ChangeDisplay", CallKind::Method, a);
    return fresh->calls();
  };
  EXPECT_EQ(callsFor(Argument::omitted()), callsFor(Argument::byReference(Variant(Long{0}))));

  Argument wide = Argument::byValue(Variant(Long{40000}));
  std::vector<Argument> tooWide{Argument::byReference(Variant(Long{zv800x600})), wide};
  EXPECT_EQ(errorOf([&] { invoke(*screen, "ChangeDisplay", CallKind::Method, tooWide); }),
            err::kOverflow);
  EXPECT_EQ(errorOf([&] { invoke(*screen, "ScreenWidth", CallKind::Method, {}); }), 0);
}

// The whole component against a private X server: switched to a mode the
// server was given and back, at the depth in use.
TEST(ScreenModes, SwitchesAnXServerAndBack) {
  platform::testsupport::XvfbServer server("1024x768x24");
  ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
  ASSERT_TRUE(server.addMode(800, 600));
  platform::Libraries libs;
  libs.user32 = std::make_shared<platform::posix::User32Posix>(stderr, server.name());
  libs.gdi32 = std::make_shared<platform::posix::Gdi32Posix>(server.name());
  auto screen = create<ScreenModes>(libs);
  EXPECT_EQ(screen->ColorBits(), 32);
  EXPECT_EQ(screen->ScreenWidth(), 1024);
  const struct {
    Long size, bits;
    Integer width, height;
  } steps[] = {
      {zv800x600, 0, 800, 600},     // the depth in use
      {zv640x480, 32, 800, 600},    // a mode the server lacks
      {zv1024x768, 16, 800, 600},   // a depth the server lacks
      {zv1024x768, 32, 1024, 768},  // back, growing the screen again
  };
  for (const auto& s : steps) {
    EXPECT_EQ(screen->ChangeDisplay(s.size, s.bits), 0);
    EXPECT_EQ(screen->ScreenWidth(), s.width) << s.size << " at " << s.bits;
    EXPECT_EQ(screen->ScreenHeight(), s.height) << s.size << " at " << s.bits;
  }
}

}  // namespace
}  // namespace zs
