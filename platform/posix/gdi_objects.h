// The handle tables behind icons, bitmaps and device contexts on Linux, shared
// by shell32 (which makes icons), user32 (which draws and destroys them) and
// gdi32. A bitmap is a cairo image surface (32-bit ARGB); a device context
// holds the bitmap selected into it. Handles are small numbers, so they fit
// the 32-bit Long in which a host passes an hdc; a handle not in its table is
// refused.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi32.h"
#include "platform/posix/icon_image.h"
#include "platform/user32.h"

typedef struct _cairo_surface cairo_surface_t;

namespace zs::platform::posix {

HICON addIcon(IconImage image);
std::shared_ptr<const IconImage> findIcon(HICON icon);
bool removeIcon(HICON icon);

HBITMAP addBitmap(int width, int height);
bool removeBitmap(HBITMAP bitmap);
// The surface of a bitmap; null for an unknown handle.
cairo_surface_t* bitmapSurface(HBITMAP bitmap);

HDC addDc();
bool removeDc(HDC dc);
// Selects a bitmap into a device context; the bitmap selected before (0 for
// none) or nullopt when either handle is unknown.
std::optional<HBITMAP> selectBitmap(HDC dc, HBITMAP bitmap);
// The surface of the bitmap selected into `dc`; null when there is none.
cairo_surface_t* dcSurface(HDC dc);

// The colour of a stock brush handle, 0x00RRGGBB; nullopt for a handle that
// is no brush (the null brush included).
std::optional<std::uint32_t> stockBrushColour(std::uintptr_t brush);
// The handle of stock object `object`; 0 for an unknown number.
std::uintptr_t stockObject(int object);

// Draws `icon` onto `dc` at (x, y), width × height, over a square filled
// with `brush` when it is a brush. False when nothing was drawn.
bool drawIcon(HDC dc, int x, int y, HICON icon, int width, int height, std::uintptr_t brush);

// Writes a bitmap as a PNG file; false on failure.
bool writeBitmapPng(HBITMAP bitmap, const std::string& path);

}  // namespace zs::platform::posix
