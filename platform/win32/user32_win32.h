// The windowing and display-settings operations of user32, passed straight to
// the system.
#pragma once

#include "platform/user32.h"

namespace zs::platform::win32 {

class User32Win32 : public User32 {
 public:
  BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) override;
  LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) override;
  LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                              UINT timeout, DWORD_PTR* result) override;
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
  BOOL WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) override;
  BOOL DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height, UINT step,
                  std::uintptr_t brush, UINT flags) override;
  BOOL DestroyIcon(HICON icon) override;
  int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) override;
};

}  // namespace zs::platform::win32
