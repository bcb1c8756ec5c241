// The gdi32 operations, passed straight to the system.
#pragma once

#include "platform/gdi32.h"

namespace zs::platform::win32 {

class Gdi32Win32 : public Gdi32 {
 public:
  HDC CreateDCA(const char* driver, const char* device, const char* output,
                const DEVMODEA* initData) override;
  BOOL DeleteDC(HDC dc) override;
  int GetDeviceCaps(HDC dc, int index) override;

  HGDIOBJ GetStockObject(int object) override;
  HDC CreateCompatibleDC(HDC reference) override;
  HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) override;
  HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) override;
  BOOL DeleteObject(HGDIOBJ object) override;
  COLORREF GetPixel(HDC dc, int x, int y) override;
};

}  // namespace zs::platform::win32
