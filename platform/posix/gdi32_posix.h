// gdi32 on Linux over the handle tables of gdi_objects.h: stock brushes,
// memory device contexts and cairo-backed bitmaps.
#pragma once

#include "platform/gdi32.h"

namespace zs::platform::posix {

class Gdi32Posix : public Gdi32 {
 public:
  HGDIOBJ GetStockObject(int object) override;
  HDC CreateCompatibleDC(HDC reference) override;
  BOOL DeleteDC(HDC dc) override;
  HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) override;
  // Only bitmaps are selected; brushes are passed to the calls that use them.
  HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) override;
  BOOL DeleteObject(HGDIOBJ object) override;
  COLORREF GetPixel(HDC dc, int x, int y) override;
};

}  // namespace zs::platform::posix
