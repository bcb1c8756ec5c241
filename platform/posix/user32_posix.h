// Windows on Linux: the library's own windows are static text windows, and
// the Linux product has no window system of its own to put them on. A window
// is shown by writing its caption and text to the standard error stream,
// where a person running a program sees it. Help files open in the desktop's
// viewer (help_viewer.h).
#pragma once

#include <atomic>
#include <cstdio>

#include "platform/posix/help_viewer.h"
#include "platform/user32.h"

namespace zs::platform::posix {

class User32Posix : public User32 {
 public:
  explicit User32Posix(std::FILE* out = stderr) : out_(out) {}
  HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                       int x, int y, int width, int height, HWND parent,
                       HINSTANCE instance) override;
  // Display commands open the file with the desktop's viewer; HELP_QUIT ends
  // the viewers opened here.
  BOOL WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) override;
  // Icons and device contexts of gdi_objects.h; the step and flags other
  // than DI_NORMAL's are not looked at.
  BOOL DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height, UINT step,
                  std::uintptr_t brush, UINT flags) override;
  BOOL DestroyIcon(HICON icon) override;

 private:
  std::FILE* out_;
  std::atomic<HWND> next_{1};
  HelpViewers helpViewers_;
};

}  // namespace zs::platform::posix
