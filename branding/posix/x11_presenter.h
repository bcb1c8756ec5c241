// Branding windows on an X11 display: undecorated, fixed-size, centred,
// kept out of the task bar, and painted by the X server from the rendered
// image (the window's background), so they show without an event loop.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "branding/ole_color.h"
#include "branding/splash_windows.h"

using Display = struct _XDisplay;

namespace zs::branding::posix {

class X11Presenter final : public WindowPresenter {
 public:
  // `displayName` empty: the display of $DISPLAY. The connection opens at the
  // first show; without a display nothing is shown and nothing is reported.
  explicit X11Presenter(std::string displayName = {},
                        const SystemColors& colors = classicSystemColors());
  ~X11Presenter() override;
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Opens the connection if it is not open yet; false without a display.
  bool open();

  void show(int slot, const Window& window) override;
  void hide(int slot) override;
  // A window with a caption is a dialog: decorated by the window manager with
  // its title and close box, and its pointer, key and close events are
  // collected here. The connection's descriptor is the event source.
  std::vector<WindowEvent> takeEvents() override;
  int eventSource() const override;

  // The X window of a slot, 0 before its first show (for tests).
  unsigned long windowOf(int slot) const;

  static constexpr int kSlots = 8;

 private:

  struct Slot {
    unsigned long window = 0;
    unsigned long pixmap = 0;
    int width = 0, height = 0;
    bool dialog = false;
  };
  std::string displayName_;
  const SystemColors& colors_;
  Display* display_ = nullptr;
  bool tried_ = false;
  std::array<Slot, kSlots> slots_{};
};

}  // namespace zs::branding::posix
