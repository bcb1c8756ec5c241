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
};

}  // namespace zs::platform::win32
