// The window messages of a Win32 dialog window turned into the WindowEvents
// that the shared dialog logic (AboutDialogs::handle) understands, so the
// Windows dialogs react to the pointer and the keys as the X11 ones do. Pure
// over the message numbers and parameters: it builds and is tested on every
// platform; the window procedure does the Win32 side (capture, tracking).
#pragma once

#include <cstdint>
#include <optional>

#include "branding/layout.h"
#include "branding/splash_windows.h"

namespace zs::branding {

// The Win32 message numbers and virtual keys that carry dialog input.
namespace winmsg {
inline constexpr unsigned kClose = 0x0010;        // WM_CLOSE: the close box, Alt+F4, SC_CLOSE
inline constexpr unsigned kKeyDown = 0x0100;      // WM_KEYDOWN
inline constexpr unsigned kMouseMove = 0x0200;    // WM_MOUSEMOVE
inline constexpr unsigned kLButtonDown = 0x0201;  // WM_LBUTTONDOWN
inline constexpr unsigned kLButtonUp = 0x0202;    // WM_LBUTTONUP
inline constexpr unsigned kMouseLeave = 0x02A3;   // WM_MOUSELEAVE (TrackMouseEvent)
inline constexpr unsigned kVkReturn = 0x0D, kVkEscape = 0x1B;
}  // namespace winmsg

// The input state of one open dialog window: where the left button went down.
class DialogInput {
 public:
  // The event a message means for the dialog `layout` shown in `slot`:
  // - a pointer move at its client position (pixels to twips); the pointer
  //   leaving the window is a move outside the client area, which the dialog
  //   logic treats as its background (hover colours reset);
  // - a click when the left button comes up over the element it went down
  //   on (a press on OK released over a link does nothing, as with buttons);
  // - Enter and Esc as keys; the close box (WM_CLOSE) as CloseBox.
  // Nothing for any other message.
  std::optional<WindowEvent> translate(const Window& layout, int slot, unsigned message, std::uint64_t wParam,
                                       std::int64_t lParam);

 private:
  std::optional<std::pair<int, int>> pressed_;  // client twips of the left button's press
};

}  // namespace zs::branding
