// The suite's own about window: title, version and the maker's links, with an
// OK button. Every About member of the library opens it modeless; it closes
// by its button, Enter, Esc or its close box. One window per thread: opening
// it while it is open brings it to the front.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "branding/layout.h"

namespace zs::branding {

inline constexpr std::string_view kSuiteAboutCaption = "About Zavrin Studio Suite";
inline constexpr std::string_view kSuiteTitle = "Velquorsoft Zavrin Studio Suite";
inline constexpr std::string_view kSuiteVersion = "Version 1.22";
inline constexpr std::string_view kMakerLink = "https://www.velquorsoft.com";
inline constexpr std::string_view kMakerMail = "support@velquorsoft.com";

// The window's layout; `cmdOK` is the button that closes it, `lblLink` and
// `lblMail` are the maker's links.
Window suiteAboutWindow();

// What a click at (x, y), in twips of the window's client area, asks for.
struct SuiteAboutClick {
  bool close = false;  // the OK button
  std::string link;    // a link's target: the web address, or "mailto:" and the mail address
};
SuiteAboutClick suiteAboutClickAt(const Window& window, int x, int y);

// Puts the about window on the screen, modeless.
class AboutPresenter {
 public:
  virtual ~AboutPresenter() = default;
  virtual void open(const Window& window) = 0;
  // Where the window's input arrives while it waits to be handled (a
  // descriptor to poll), or -1 when the platform's own message loop handles
  // it; pump() handles what has arrived, on the caller's thread, and returns
  // how many events that was.
  virtual int eventSource() const { return -1; }
  virtual std::size_t pump() { return 0; }
};

// The calling thread's about window on this platform.
std::shared_ptr<AboutPresenter> threadAboutPresenter();

}  // namespace zs::branding
