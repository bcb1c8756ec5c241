// The gdi32 operations that the library uses, with the Win32 names, argument
// order and results.
#pragma once

#include <cstdint>

#include "platform/kernel32.h"
#include "platform/types.h"

namespace zs::platform {

using HDC = std::uintptr_t;

// Device capabilities of a display context (GetDeviceCaps indexes).
inline constexpr int kHorzRes = 8;     // width in pixels
inline constexpr int kVertRes = 10;    // height in pixels
inline constexpr int kBitsPixel = 12;  // bits per pixel
inline constexpr int kPlanes = 14;     // colour planes

// Icon drawing (the shell components): stock brushes and memory device
// contexts with a bitmap selected into them.
using HGDIOBJ = std::uintptr_t;
using HBITMAP = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using COLORREF = DWORD;  // 0x00BBGGRR

// GetStockObject numbers.
inline constexpr int kWhiteBrush = 0;
inline constexpr int kLtGrayBrush = 1;
inline constexpr int kGrayBrush = 2;
inline constexpr int kDkGrayBrush = 3;
inline constexpr int kBlackBrush = 4;
inline constexpr int kNullBrush = 5;
// GetPixel outside the bitmap.
inline constexpr COLORREF kClrInvalid = 0xFFFFFFFFu;

class Gdi32 {
 public:
  virtual ~Gdi32() = default;
  // A context for the device `driver` names ("DISPLAY": the whole screen);
  // 0 when there is none. The caller deletes it with DeleteDC.
  virtual HDC CreateDCA(const char* driver, const char* device, const char* output,
                        const DEVMODEA* initData) = 0;
  virtual BOOL DeleteDC(HDC dc) = 0;
  // The capability `index` of the context; 0 for an unknown index or context.
  virtual int GetDeviceCaps(HDC dc, int index) = 0;

  // Icon drawing. A backend without it (a display-only fake) fails these
  // calls, as Win32 fails a call it cannot carry out.
  // A stock object by number; 0 for an unknown number.
  virtual HGDIOBJ GetStockObject(int) { return 0; }
  // A memory device context like `reference` (0: like the screen); 0 on failure.
  virtual HDC CreateCompatibleDC(HDC) { return 0; }
  // A bitmap of `width` × `height` pixels, black; 0 on failure.
  virtual HBITMAP CreateCompatibleBitmap(HDC, int, int) { return 0; }
  // Selects `object` into `dc` and returns what was selected before; 0 on failure.
  virtual HGDIOBJ SelectObject(HDC, HGDIOBJ) { return 0; }
  virtual BOOL DeleteObject(HGDIOBJ) { return 0; }
  // The colour of a pixel, or kClrInvalid outside the bitmap.
  virtual COLORREF GetPixel(HDC, int, int) { return kClrInvalid; }
};

}  // namespace zs::platform
