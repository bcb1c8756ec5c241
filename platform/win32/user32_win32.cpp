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

BOOL User32Win32::DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height,
                             UINT step, std::uintptr_t brush, UINT flags) {
  return ::DrawIconEx(reinterpret_cast<::HDC>(dc), x, y, reinterpret_cast<::HICON>(icon), width,
                      height, step, reinterpret_cast<::HBRUSH>(brush), flags);
}

BOOL User32Win32::DestroyIcon(HICON icon) { return ::DestroyIcon(reinterpret_cast<::HICON>(icon)); }

}  // namespace zs::platform::win32
