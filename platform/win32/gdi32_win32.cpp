#include "platform/win32/gdi32_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

HDC Gdi32Win32::CreateDCA(const char* driver, const char* device, const char* output,
                          const DEVMODEA* initData) {
  static_assert(sizeof(::DEVMODEA) == sizeof(DEVMODEA));
  return reinterpret_cast<HDC>(
      ::CreateDCA(driver, device, output, reinterpret_cast<const ::DEVMODEA*>(initData)));
}

BOOL Gdi32Win32::DeleteDC(HDC dc) { return ::DeleteDC(reinterpret_cast<::HDC>(dc)); }

int Gdi32Win32::GetDeviceCaps(HDC dc, int index) {
  return ::GetDeviceCaps(reinterpret_cast<::HDC>(dc), index);
}

}  // namespace zs::platform::win32
