// An in-memory gdi32 for tests: stock objects are 0x7000 plus their number,
// the numbers asked are recorded; device contexts and bitmaps are counters.
#pragma once

#include <vector>

#include "platform/gdi32.h"

namespace zs::platform::testing {

class FakeGdi32 : public Gdi32 {
 public:
  static constexpr HGDIOBJ kStockBase = 0x7000;
  HGDIOBJ GetStockObject(int object) override {
    stockAsked_.push_back(object);
    return kStockBase + static_cast<HGDIOBJ>(object);
  }
  // No display: no display context.
  HDC CreateDCA(const char*, const char*, const char*, const DEVMODEA*) override { return 0; }
  int GetDeviceCaps(HDC, int) override { return 0; }
  HDC CreateCompatibleDC(HDC) override { return ++next_; }
  BOOL DeleteDC(HDC) override { return 1; }
  HBITMAP CreateCompatibleBitmap(HDC, int, int) override { return ++next_; }
  HGDIOBJ SelectObject(HDC, HGDIOBJ) override { return 0; }
  BOOL DeleteObject(HGDIOBJ) override { return 1; }
  COLORREF GetPixel(HDC, int, int) override { return kClrInvalid; }
  const std::vector<int>& stockAsked() const { return stockAsked_; }

 private:
  std::uintptr_t next_ = 0x100;
  std::vector<int> stockAsked_;
};

}  // namespace zs::platform::testing
