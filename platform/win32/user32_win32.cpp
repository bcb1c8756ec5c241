#include "platform/win32/user32_win32.h"

#include <windows.h>

#include <cstddef>

namespace zs::platform::win32 {
namespace {

// The platform record is the system's, byte for byte.
static_assert(sizeof(::DEVMODEA) == sizeof(DEVMODEA));
static_assert(offsetof(::DEVMODEA, dmFields) == offsetof(DEVMODEA, dmFields));
static_assert(offsetof(::DEVMODEA, dmBitsPerPel) == offsetof(DEVMODEA, dmBitsPerPel));
static_assert(offsetof(::DEVMODEA, dmPelsWidth) == offsetof(DEVMODEA, dmPelsWidth));
static_assert(offsetof(::DEVMODEA, dmPelsHeight) == offsetof(DEVMODEA, dmPelsHeight));
static_assert(offsetof(::DEVMODEA, dmDisplayFrequency) == offsetof(DEVMODEA, dmDisplayFrequency));

::DEVMODEA* native(DEVMODEA* mode) { return reinterpret_cast<::DEVMODEA*>(mode); }

}  // namespace

BOOL User32Win32::EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) {
  return ::EnumDisplaySettingsA(deviceName, modeNum, native(devMode));
}

LONG User32Win32::ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) {
  return ::ChangeDisplaySettingsA(native(devMode), flags);
}

LRESULT User32Win32::SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT flags, UINT timeout, DWORD_PTR* result) {
  ::DWORD_PTR answer = 0;
  const ::LRESULT sent = ::SendMessageTimeoutA(reinterpret_cast<::HWND>(window), message, wParam,
                                               lParam, flags, timeout, &answer);
  if (result) *result = answer;
  return sent;
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

BOOL User32Win32::ExitWindowsEx(UINT flags, DWORD reason) {
  return ::ExitWindowsEx(flags, reason);
}

int User32Win32::MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(reinterpret_cast<::HWND>(owner), text, caption, type);
}

}  // namespace zs::platform::win32
