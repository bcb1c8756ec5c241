// How the Linux user32 puts a message box on the display. The platform layer
// draws no windows itself: the windowing layer implements this interface and
// defines desktopMessageBoxes() below, and the backend receives the presenter
// where the system libraries are assembled (platform/libraries.cpp). So no
// platform source includes a windowing header; the two meet in the one
// library only when it is linked.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/types.h"

namespace zs::platform::posix {

class MessageBoxPresenter {
 public:
  virtual ~MessageBoxPresenter() = default;
  // Shows a modal box of a valid `type` (text and caption UTF-8) and runs its
  // own event loop on the calling thread until it is answered: the id of the
  // button pressed, 0 when its window was destroyed unanswered. nullopt, at
  // once, when no box can be shown (no display, or its connection fails).
  virtual std::optional<int> ask(std::string_view text, std::string_view caption, UINT type) = 0;
};

// The desktop's message boxes on the X display of $DISPLAY, provided by the
// windowing layer (branding/posix/x11_message_box.cpp).
std::shared_ptr<MessageBoxPresenter> desktopMessageBoxes();

}  // namespace zs::platform::posix
