// Windows on Linux: the library's own windows are static text windows, and
// the Linux product has no window system of its own to put them on. A window
// is shown by writing its caption and text to the standard error stream,
// where a person running a program sees it. Help files open in the desktop's
// viewer (help_viewer.h).
//
// The display settings are those of the X server's primary output (RandR,
// see randr_display.h): the server named by $DISPLAY, or by `display`.
// ExitWindowsEx asks systemd-logind on the system bus (logind.h), never
// interactively: kEwxReboot reboots, kEwxPowerOff powers off, kEwxShutdown
// halts (Windows' shutdown stops the system at the point where the power may
// be cut, without cutting it), in that order of precedence when several are
// set; otherwise the caller's own session ends (kEwxLogoff: TerminateSession;
// with kEwxForce: KillSession with SIGKILL, its programs get no chance to
// object). docs/windows-session.md.
#pragma once

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/posix/randr_display.h"
#include "platform/posix/help_viewer.h"
#include "platform/user32.h"

namespace zs::platform::posix {

class User32Posix : public User32 {
 public:
  explicit User32Posix(std::FILE* out = stderr, std::string display = {})
      : out_(out), display_(std::move(display)) {}
  HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                       int x, int y, int width, int height, HWND parent,
                       HINSTANCE instance) override;
  BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) override;
  // CDS_UPDATEREGISTRY switches as flags 0 do: X keeps no per-user mode, the
  // desktop's own settings restore theirs at the next login.
  LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) override;
  // The X server tells its clients of a new mode itself (RRScreenChangeNotify):
  // a broadcast of WM_DISPLAYCHANGE has nobody to reach and succeeds at once.
  LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                              UINT timeout, DWORD_PTR* result) override;
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
  // Display commands open the file with the desktop's viewer; HELP_QUIT ends
  // the viewers opened here.
  BOOL WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) override;
  // Icons and device contexts of gdi_objects.h; the step and flags other
  // than DI_NORMAL's are not looked at.
  BOOL DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height, UINT step,
                  std::uintptr_t brush, UINT flags) override;
  BOOL DestroyIcon(HICON icon) override;
  // Until the message box has a window of its own on X11, its caption and
  // text go to the error stream, one line, and it answers OK at once.
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;

 private:
  std::FILE* out_;
  std::atomic<HWND> next_{1};
  RandrDisplay display_;
  HelpViewers helpViewers_;
};

}  // namespace zs::platform::posix
