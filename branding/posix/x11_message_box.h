// The message box on X11: a modal dialog with the window manager's title bar,
// painted by the server from the rendered image, answered by a click on one
// of its buttons, Enter, Esc, a button's letter or the close box.
//
// Each box opens a connection of its own and handles only its own window's
// events, on the calling thread, until it is answered. The thread's other
// branding windows stay on the screen (the server paints them from their
// images) but their input waits on their own connection: what the user did to
// them meanwhile is handled in order once the box is answered, as a busy
// Windows thread handles its queued input.
#pragma once

#include <string>

#include "platform/posix/message_box_presenter.h"

namespace zs::branding::posix {

class X11MessageBoxPresenter final : public platform::posix::MessageBoxPresenter {
 public:
  // `displayName` empty: the display of $DISPLAY.
  explicit X11MessageBoxPresenter(std::string displayName = {}) : displayName_(std::move(displayName)) {}

  std::optional<int> ask(std::string_view text, std::string_view caption, platform::UINT type) override;

 private:
  std::string displayName_;
};

}  // namespace zs::branding::posix
