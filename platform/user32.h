// The windowing operations of user32 that the library uses.
#pragma once

#include "platform/types.h"
#include "platform/kernel32.h"

namespace zs::platform {

using HWND = std::uintptr_t;
using HINSTANCE = std::uintptr_t;
using HICON = std::uintptr_t;

// DrawIconEx flags.
inline constexpr UINT kDiMask = 1;
inline constexpr UINT kDiImage = 2;
inline constexpr UINT kDiNormal = 3;

// Window styles used by the library's own windows.
inline constexpr DWORD kWsOverlapped = 0x00000000;
inline constexpr DWORD kWsCaption = 0x00C00000;
inline constexpr DWORD kWsSysMenu = 0x00080000;
inline constexpr DWORD kWsVisible = 0x10000000;
inline constexpr DWORD kSsCenter = 0x00000001;
inline constexpr DWORD kWsExToolWindow = 0x00000080;
inline constexpr int kCwUseDefault = static_cast<int>(0x80000000u);

class User32 {
 public:
  virtual ~User32() = default;
  // Creates a window of a predefined class ("STATIC", "BUTTON", ...). The
  // window lives until its user closes it; 0 when it cannot be created.
  virtual HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName,
                               DWORD style, int x, int y, int width, int height, HWND parent,
                               HINSTANCE instance) = 0;

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
};

}  // namespace zs::platform
