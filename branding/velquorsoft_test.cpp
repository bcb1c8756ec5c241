#include "branding/velquorsoft.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatch.h"

namespace zs {
namespace {

class RecordingUser32 : public platform::User32 {
 public:
  struct Window {
    std::string className, text;
    platform::DWORD style;
  };
  platform::HWND CreateWindowExA(platform::DWORD, const char* className, const char* windowName,
                                 platform::DWORD style, int, int, int, int, platform::HWND,
                                 platform::HINSTANCE) override {
    windows.push_back({className, windowName, style});
    return windows.size();
  }
  platform::BOOL EnumDisplaySettingsA(const char*, platform::DWORD, platform::DEVMODEA*) override {
    return 0;
  }
  platform::LONG ChangeDisplaySettingsA(platform::DEVMODEA*, platform::DWORD) override {
    return platform::kDispChangeFailed;
  }
  platform::LRESULT SendMessageTimeoutA(platform::HWND, platform::UINT, platform::WPARAM,
                                        platform::LPARAM, platform::UINT, platform::UINT,
                                        platform::DWORD_PTR*) override {
    return 0;
  }
  platform::BOOL ExitWindowsEx(platform::UINT, platform::DWORD) override { return 0; }
  std::vector<Window> windows;
};

TEST(Velquorsoft, AboutOpensOneVisibleWindowWithTitleVersionAndMakerEachCall) {
  auto user32 = std::make_shared<RecordingUser32>();
  platform::Libraries libraries;
  libraries.user32 = user32;
  auto suite = create<Velquorsoft>(libraries);
  std::vector<Argument> none;
  invoke(*suite, "About", CallKind::Method, none);
  suite->About();
  ASSERT_EQ(user32->windows.size(), 2u);
  const auto& w = user32->windows[0];
  EXPECT_EQ(w.className, "STATIC");
  EXPECT_TRUE(w.style & platform::kWsVisible);
  for (auto part : {"Zavrin Studio Suite", "1.22", "velquorsoft"})
    EXPECT_NE(w.text.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace zs
