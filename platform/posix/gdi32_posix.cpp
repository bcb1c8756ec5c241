#include "platform/posix/gdi32_posix.h"

#include <cairo.h>
#include <strings.h>

#include "platform/posix/gdi_objects.h"

namespace zs::platform::posix {

HDC Gdi32Posix::CreateDCA(const char* driver, const char*, const char*, const DEVMODEA*) {
  if (!driver || ::strcasecmp(driver, "DISPLAY") != 0) return 0;
  return addDc();
}

int Gdi32Posix::GetDeviceCaps(HDC dc, int index) {
  if (!dc) return 0;
  const auto mode = display_.current();
  if (!mode) return 0;
  switch (index) {
    case kHorzRes: return static_cast<int>(mode->width);
    case kVertRes: return static_cast<int>(mode->height);
    case kBitsPixel: return static_cast<int>(mode->bitsPerPixel);
    case kPlanes: return 1;
    default: return 0;
  }
}


HGDIOBJ Gdi32Posix::GetStockObject(int object) { return stockObject(object); }

HDC Gdi32Posix::CreateCompatibleDC(HDC) { return addDc(); }

BOOL Gdi32Posix::DeleteDC(HDC dc) { return removeDc(dc) ? 1 : 0; }

HBITMAP Gdi32Posix::CreateCompatibleBitmap(HDC, int width, int height) {
  const HBITMAP bitmap = addBitmap(width, height);
  if (cairo_surface_t* s = bitmapSurface(bitmap)) {
    // Black and opaque, as a new Win32 bitmap.
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  return bitmap;
}

HGDIOBJ Gdi32Posix::SelectObject(HDC dc, HGDIOBJ object) {
  return selectBitmap(dc, object).value_or(0);
}

BOOL Gdi32Posix::DeleteObject(HGDIOBJ object) {
  if (stockObject(0) <= object && object <= stockObject(5)) return 1;  // stock objects stay
  return removeBitmap(object) ? 1 : 0;
}

COLORREF Gdi32Posix::GetPixel(HDC dc, int x, int y) {
  cairo_surface_t* s = dcSurface(dc);
  if (!s || x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) ||
      y >= cairo_image_surface_get_height(s)) {
    return kClrInvalid;
  }
  cairo_surface_flush(s);
  const auto* row = cairo_image_surface_get_data(s) + std::size_t(y) * cairo_image_surface_get_stride(s);
  const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
  // Premultiplied ARGB to 0x00BBGGRR: on a bitmap the alpha is dropped, as
  // Win32 reads a pixel.
  const std::uint32_t a = p >> 24;
  const auto un = [a](std::uint32_t c) { return a ? std::min<std::uint32_t>(255, (c * 255 + a / 2) / a) : 0; };
  return un((p >> 16) & 0xFF) | un((p >> 8) & 0xFF) << 8 | un(p & 0xFF) << 16;
}

}  // namespace zs::platform::posix
