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

BOOL User32Win32::WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) {
  return ::WinHelpA(reinterpret_cast<::HWND>(window), file, command, static_cast<::ULONG_PTR>(data));
}

}  // namespace zs::platform::win32
