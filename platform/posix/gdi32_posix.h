// Device contexts on Linux: only the display's ("DISPLAY"), whose
// capabilities are those of the X server's primary output (randr_display.h).
// A context is a token; each GetDeviceCaps asks the server afresh.
#pragma once

#include <atomic>
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

 private:
  RandrDisplay display_;
  std::atomic<HDC> next_{1};
};

}  // namespace zs::platform::posix
