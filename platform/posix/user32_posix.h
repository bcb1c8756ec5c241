// Windows on Linux: the library's own windows are static text windows, and
// the Linux product has no window system of its own to put them on. A window
// is shown by writing its caption and text to the standard error stream,
// where a person running a program sees it.
//
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

#include "platform/user32.h"

namespace zs::platform::posix {

class User32Posix : public User32 {
 public:
  explicit User32Posix(std::FILE* out = stderr) : out_(out) {}
  HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                       int x, int y, int width, int height, HWND parent,
                       HINSTANCE instance) override;
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override;

 private:
  std::FILE* out_;
  std::atomic<HWND> next_{1};
};

}  // namespace zs::platform::posix
