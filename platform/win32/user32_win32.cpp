#include "platform/win32/user32_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

HWND User32Win32::CreateWindowExA(DWORD exStyle, const char* className, const char* windowName,
                                  DWORD style, int x, int y, int width, int height, HWND parent,
                                  HINSTANCE instance) {
  ::HWND created = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                                     reinterpret_cast<::HWND>(parent), nullptr,
                                     reinterpret_cast<::HINSTANCE>(instance), nullptr);
  return reinterpret_cast<HWND>(created);
}

BOOL User32Win32::ExitWindowsEx(UINT flags, DWORD reason) {
  return ::ExitWindowsEx(flags, reason);
}

}  // namespace zs::platform::win32
