// The HTML Help control's one entry point, HtmlHelpA. On Windows it is loaded
// from hhctrl.ocx at first use; where the control is missing the call does
// nothing and answers 0.
#pragma once

#include <cstdint>

#include "platform/user32.h"

namespace zs::platform {

// HtmlHelpA commands the library knows by name.
inline constexpr UINT kHhDisplayTopic = 0;
inline constexpr UINT kHhDisplayToc = 1;
inline constexpr UINT kHhDisplayIndex = 2;
inline constexpr UINT kHhDisplaySearch = 3;
inline constexpr UINT kHhHelpContext = 15;
inline constexpr UINT kHhCloseAll = 18;

// WinHelpA commands the library knows by name.
inline constexpr UINT kHelpContext = 1;
inline constexpr UINT kHelpQuit = 2;
inline constexpr UINT kHelpContents = 3;
inline constexpr UINT kHelpContextPopup = 8;
inline constexpr UINT kHelpForceFile = 9;
inline constexpr UINT kHelpFinder = 11;
inline constexpr UINT kHelpKey = 257;
inline constexpr UINT kHelpPartialKey = 261;

class HtmlHelpControl {
 public:
  virtual ~HtmlHelpControl() = default;
  // The help window's handle, or 0.
  virtual HWND HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) = 0;
};

}  // namespace zs::platform
