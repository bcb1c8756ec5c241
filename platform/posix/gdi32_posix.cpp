#include "platform/posix/gdi32_posix.h"

#include <strings.h>

namespace zs::platform::posix {

HDC Gdi32Posix::CreateDCA(const char* driver, const char*, const char*, const DEVMODEA*) {
  if (!driver || ::strcasecmp(driver, "DISPLAY") != 0) return 0;
  return next_++;
}

BOOL Gdi32Posix::DeleteDC(HDC dc) { return dc != 0; }

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

}  // namespace zs::platform::posix
