// The suite about window on X11: a dialog with a title bar, painted by the
// server from the rendered image, closed by its OK button, Enter, Esc or the
// window manager's close box. Its events are handled on a thread of its own
// with a connection of its own, so it closes while its host is busy or has no
// event loop; the thread ends with the window.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "branding/suite_about.h"

namespace zs::branding::posix {

class X11AboutPresenter final : public AboutPresenter {
 public:
  // `displayName` empty: the display of $DISPLAY.
  explicit X11AboutPresenter(std::string displayName = {}) : displayName_(std::move(displayName)) {}

  // Opens the window, or raises it when it is open; without a display nothing
  // is shown and nothing is reported.
  void open(const Window& window) override;

  // The X window while it is open, else 0.
  unsigned long openWindow() const { return state_->window.load(); }

 private:
  struct State {
    std::atomic<unsigned long> window{0};
  };
  std::string displayName_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace zs::branding::posix
