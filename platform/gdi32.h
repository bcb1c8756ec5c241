// The gdi32 operations the icon drawing needs: stock brushes and memory
// device contexts with a bitmap selected into them, with the Win32 names,
// argument order and results.
#pragma once

#include <cstdint>

#include "platform/kernel32.h"

namespace zs::platform {

using HDC = std::uintptr_t;
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

// Icon drawing and extraction (the shell components).
class Gdi32 {
 public:
  virtual ~Gdi32() = default;
  // A stock object by number; 0 for an unknown number.
  virtual HGDIOBJ GetStockObject(int object) = 0;
  // A memory device context like `reference` (0: like the screen); 0 on failure.
  virtual HDC CreateCompatibleDC(HDC reference) = 0;
  virtual BOOL DeleteDC(HDC dc) = 0;
  // A bitmap of `width` × `height` pixels, black; 0 on failure.
  virtual HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) = 0;
  // Selects `object` into `dc` and returns what was selected before; 0 on failure.
  virtual HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) = 0;
  virtual BOOL DeleteObject(HGDIOBJ object) = 0;
  // The colour of a pixel, or kClrInvalid outside the bitmap.
  virtual COLORREF GetPixel(HDC dc, int x, int y) = 0;
};

}  // namespace zs::platform
