// user32 on Linux. Message boxes are modal dialogs on the X display, drawn by
// the presenter the backend is given (message_box_presenter.h); without one,
// or without a display, their caption and text go to the error stream. Help
// files open in the desktop's viewer (help_viewer.h).
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

#include <cstdio>
#include <string>

#include "platform/posix/randr_display.h"
#include "platform/posix/help_viewer.h"
#include "platform/posix/message_box_presenter.h"
#include "platform/user32.h"

namespace zs::platform::posix {

class User32Posix : public User32 {
 public:
  // `messageBoxes` null: message boxes go to `out`.
  explicit User32Posix(std::FILE* out = stderr, std::string display = {},
                       std::shared_ptr<MessageBoxPresenter> messageBoxes = nullptr)
      : out_(out), display_(std::move(display)), messageBoxes_(std::move(messageBoxes)) {}
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
  // A modal box on the display (a null caption reads "Error"); the id of the
  // button pressed. A type without a button set fails with
  // ERROR_INVALID_MSGBOX_STYLE. Without a display the caption and text go to
  // the error stream as one line, nobody has answered, and the call fails at
  // once with ERROR_NOT_SUPPORTED: no button is reported as pressed.
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;

 private:
  std::FILE* out_;
  RandrDisplay display_;
  HelpViewers helpViewers_;
  std::shared_ptr<MessageBoxPresenter> messageBoxes_;
};

}  // namespace zs::platform::posix
