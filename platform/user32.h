// The windowing and display-settings operations of user32 that the library
// uses, with the Win32 names, argument order and results.
#pragma once

#include "platform/kernel32.h"
#include "platform/types.h"

namespace zs::platform {

using HWND = std::uintptr_t;
using HINSTANCE = std::uintptr_t;
using HICON = std::uintptr_t;

// DrawIconEx flags.
inline constexpr UINT kDiMask = 1;
inline constexpr UINT kDiImage = 2;
inline constexpr UINT kDiNormal = 3;

// Display settings.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
inline constexpr DWORD kEnumCurrentSettings = 0xFFFFFFFFu;  // the mode index of the current mode
inline constexpr DWORD kCdsUpdateRegistry = 0x1;  // change now and keep it for the user
inline constexpr DWORD kCdsTest = 0x2;            // only ask whether the mode can be set
inline constexpr LONG kDispChangeSuccessful = 0;
inline constexpr LONG kDispChangeFailed = -1;
inline constexpr LONG kDispChangeBadMode = -2;
inline constexpr LONG kDispChangeBadParam = -5;
inline constexpr HWND kHwndBroadcast = 0xFFFF;
inline constexpr UINT kWmDisplayChange = 0x007E;
inline constexpr UINT kSmtoAbortIfHung = 0x0002;
// The flags of ExitWindowsEx.
inline constexpr UINT kEwxLogoff = 0x00;
inline constexpr UINT kEwxShutdown = 0x01;
inline constexpr UINT kEwxReboot = 0x02;
inline constexpr UINT kEwxForce = 0x04;
inline constexpr UINT kEwxPowerOff = 0x08;

// MessageBoxA.
inline constexpr UINT kMbOk = 0x0;
inline constexpr int kIdOk = 1;

class User32 {
 public:
  virtual ~User32() = default;
  // Fills `devMode` with mode `modeNum` of the display `deviceName` (null: the
  // primary display); kEnumCurrentSettings gives the current mode, 0 upwards
  // the modes the display supports. FALSE past the last mode or without a
  // display. Fills dmBitsPerPel, dmPelsWidth, dmPelsHeight,
  // dmDisplayFrequency, dmFields and dmSize.
  virtual BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) = 0;
  // Switches the primary display to the mode the record names (fields not in
  // dmFields, or 0, keep their current value). kCdsTest only asks; the result
  // is kDispChangeSuccessful, kDispChangeBadMode for a mode the display does
  // not have, kDispChangeFailed when the display refuses or is absent.
  virtual LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) = 0;
  // Sends a message and waits at most `timeout` milliseconds per window; with
  // kSmtoAbortIfHung a window that stopped answering is skipped at once.
  // kHwndBroadcast sends to every top-level window. 0 on failure or timeout.
  virtual LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT flags, UINT timeout, DWORD_PTR* result) = 0;
  // Ends the session (kEwxLogoff, with kEwxForce without asking its
  // programs) or the whole system (kEwxShutdown, kEwxReboot, kEwxPowerOff).
  // Nonzero when the request was accepted; 0 with GetLastError's reason.
  virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;

  // Help and icons (the shell components). A backend without them (a test's
  // own recording user32) fails these calls, as Win32 fails a call it cannot
  // carry out.
  // Hands `command` with `data` for the classic help file `file` to the help engine.
  virtual BOOL WinHelpA(HWND, const char*, UINT, std::uintptr_t) { return 0; }
  // Draws `icon` at (x, y) of `dc`, `width` × `height` (0: the icon's own
  // size); a `brush` fills the square first (flicker-free drawing).
  virtual BOOL DrawIconEx(std::uintptr_t, int, int, HICON, int, int, UINT, std::uintptr_t, UINT) {
    return 0;
  }
  virtual BOOL DestroyIcon(HICON) { return 0; }
  // A modal message box (kMbOk: an OK button only); the button pressed
  // (kIdOk), or 0 with GetLastError's reason when none could be shown.
  virtual int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) = 0;
};

}  // namespace zs::platform
