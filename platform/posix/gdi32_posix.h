// Device contexts on Linux. The display's ("DISPLAY") has the capabilities of
// the X server's primary output (randr_display.h), asked afresh on each
// GetDeviceCaps. Memory device contexts, stock brushes and cairo-backed
// bitmaps for drawing icons live in the handle tables of gdi_objects.h, as do
// the display contexts, so that every context handle is known to one table.
#pragma once

#include <string>

#include "platform/gdi32.h"
#include "platform/posix/randr_display.h"

namespace zs::platform::posix {

class Gdi32Posix : public Gdi32 {
 public:
  // `display` names the X server; empty takes $DISPLAY.
  explicit Gdi32Posix(std::string display = {}) : display_(std::move(display)) {}
  HDC CreateDCA(const char* driver, const char* device, const char* output,
                const DEVMODEA* initData) override;
  BOOL DeleteDC(HDC dc) override;
  int GetDeviceCaps(HDC dc, int index) override;

  HGDIOBJ GetStockObject(int object) override;
  HDC CreateCompatibleDC(HDC reference) override;
  HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) override;
  // Only bitmaps are selected; brushes are passed to the calls that use them.
  HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) override;
  BOOL DeleteObject(HGDIOBJ object) override;
  COLORREF GetPixel(HDC dc, int x, int y) override;

 private:
  RandrDisplay display_;
};

}  // namespace zs::platform::posix
