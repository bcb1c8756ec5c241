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
};

}  // namespace zs::platform
