// The suite about window on X11: a dialog with a title bar, painted by the
// server from the rendered image, closed by its OK button, Enter, Esc or the
// window manager's close box; a click on a link opens it with the desktop's
// opener. It has a connection of its own while it is
// open; its events are handled on the caller's thread by pump(), which a
// host calls when eventSource() is readable (as it does for the about
// dialogs). Until then the window stays painted and its input waits.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "branding/about_dialogs.h"
#include "branding/suite_about.h"

using Display = struct _XDisplay;

namespace zs::branding::posix {

class X11AboutPresenter final : public AboutPresenter {
 public:
  // `displayName` empty: the display of $DISPLAY; null `actions`: the
  // platform's own (the shell opens the links).
  explicit X11AboutPresenter(std::string displayName = {}, std::shared_ptr<AboutActions> actions = nullptr)
      : displayName_(std::move(displayName)), actions_(std::move(actions)) {}
  ~X11AboutPresenter() override;
  X11AboutPresenter(const X11AboutPresenter&) = delete;
  X11AboutPresenter& operator=(const X11AboutPresenter&) = delete;

  // Opens the window, or raises it when it is open; without a display nothing
  // is shown and nothing is reported.
  void open(const Window& window) override;
  // The connection's descriptor while the window is open, else -1.
  int eventSource() const override;
  // Handles every event that has arrived; one that closes the window lets go
  // of the window and the connection. Returns how many events were handled.
  std::size_t pump() override;

  // The X window while it is open, else 0.
  unsigned long openWindow() const { return window_; }

 private:
  // Lets go of the window (unless the server destroyed it already), its
  // image and the connection.
  void close(bool destroyed);

  std::string displayName_;
  std::shared_ptr<AboutActions> actions_;
  std::optional<Window> layout_;  // while open
  Display* display_ = nullptr;
  unsigned long window_ = 0;
  unsigned long pixmap_ = 0;
  unsigned long deleteWindow_ = 0;
};

}  // namespace zs::branding::posix
