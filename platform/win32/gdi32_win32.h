// gdi32, passed straight to the system.
#pragma once

#include "platform/gdi32.h"

namespace zs::platform::win32 {

class Gdi32Win32 : public Gdi32 {
 public:
  HGDIOBJ GetStockObject(int object) override;
  HDC CreateCompatibleDC(HDC reference) override;
  BOOL DeleteDC(HDC dc) override;
  HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) override;
  HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) override;
  BOOL DeleteObject(HGDIOBJ object) override;
  COLORREF GetPixel(HDC dc, int x, int y) override;
};

}  // namespace zs::platform::win32
