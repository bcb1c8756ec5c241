#include "branding/velquorsoft.h"

#include <string>

namespace zs {

void showSuiteAbout(platform::User32& user32) {
  using namespace platform;
  // The caption doubles as the first line on systems where a static window
  // shows only its text.
  const std::string text = std::string(kSuiteAboutCaption) + "\r\n" + std::string(kSuiteAboutText);
  // A window that cannot be created leaves nothing to show; About has no
  // result to report it in.
  (void)user32.CreateWindowExA(kWsExToolWindow, "STATIC", text.c_str(),
                               kWsOverlapped | kWsCaption | kWsSysMenu | kWsVisible | kSsCenter,
                               kCwUseDefault, kCwUseDefault, 360, 140, 0, 0);
}

void Velquorsoft::About() { showSuiteAbout(*libraries_.user32); }

}  // namespace zs
