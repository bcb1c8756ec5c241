#include "platform/win32/gdi32_win32.h"

#include <windows.h>

namespace zs::platform::win32 {
namespace {

template <class T>
T as(std::uintptr_t handle) {
  return reinterpret_cast<T>(handle);
}

}  // namespace

HDC Gdi32Win32::CreateDCA(const char* driver, const char* device, const char* output,
                          const DEVMODEA* initData) {
  static_assert(sizeof(::DEVMODEA) == sizeof(DEVMODEA));
  return reinterpret_cast<HDC>(
      ::CreateDCA(driver, device, output, reinterpret_cast<const ::DEVMODEA*>(initData)));
}

BOOL Gdi32Win32::DeleteDC(HDC dc) { return ::DeleteDC(as<::HDC>(dc)); }

int Gdi32Win32::GetDeviceCaps(HDC dc, int index) { return ::GetDeviceCaps(as<::HDC>(dc), index); }

HGDIOBJ Gdi32Win32::GetStockObject(int object) {
  return reinterpret_cast<HGDIOBJ>(::GetStockObject(object));
}

HDC Gdi32Win32::CreateCompatibleDC(HDC reference) {
  return reinterpret_cast<HDC>(::CreateCompatibleDC(as<::HDC>(reference)));
}

HBITMAP Gdi32Win32::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return reinterpret_cast<HBITMAP>(::CreateCompatibleBitmap(as<::HDC>(dc), width, height));
}

HGDIOBJ Gdi32Win32::SelectObject(HDC dc, HGDIOBJ object) {
  return reinterpret_cast<HGDIOBJ>(::SelectObject(as<::HDC>(dc), as<::HGDIOBJ>(object)));
}

BOOL Gdi32Win32::DeleteObject(HGDIOBJ object) { return ::DeleteObject(as<::HGDIOBJ>(object)); }

COLORREF Gdi32Win32::GetPixel(HDC dc, int x, int y) { return ::GetPixel(as<::HDC>(dc), x, y); }

}  // namespace zs::platform::win32
