#include "platform/testing/fake_display.h"

#include <cstdio>
#include <string_view>

namespace zs::platform::testing {

namespace {
constexpr HDC kDisplayContext = 0xDC;
}

FakeDisplay::FakeDisplay(std::vector<Mode> modes, std::size_t current)
    : modes_(std::move(modes)), current_(current) {}

BOOL FakeDisplay::EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) {
  calls_.push_back("EnumDisplaySettingsA(" + std::to_string(static_cast<LONG>(modeNum)) + ")");
  if (deviceName || !devMode || modes_.empty()) return 0;
  const std::size_t index = modeNum == kEnumCurrentSettings ? current_ : modeNum;
  if (index >= modes_.size()) return 0;
  const Mode& m = modes_[index];
  devMode->dmSize = static_cast<WORD>(sizeof(DEVMODEA));
  devMode->dmFields = kDmBitsPerPel | kDmPelsWidth | kDmPelsHeight;
  devMode->dmBitsPerPel = static_cast<DWORD>(bitsHighHalf_) << 16 | (m.bits & 0xFFFF);
  devMode->dmPelsWidth = m.width;
  devMode->dmPelsHeight = m.height;
  return 1;
}

LONG FakeDisplay::ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) {
  if (!devMode) {
    calls_.push_back("ChangeDisplaySettingsA(null flags=" + std::to_string(flags) + ")");
    return kDispChangeSuccessful;
  }
  char text[128];
  std::snprintf(text, sizeof text, "ChangeDisplaySettingsA(%ux%ux%d fields=%X flags=%u)",
                devMode->dmPelsWidth, devMode->dmPelsHeight,
                static_cast<int>(static_cast<SHORT>(devMode->dmBitsPerPel & 0xFFFF)),
                devMode->dmFields, flags);
  calls_.push_back(text);
  changes_.push_back(*devMode);
  if (modes_.empty()) return kDispChangeFailed;
  for (std::size_t i = 0; i < modes_.size(); ++i) {
    const Mode& m = modes_[i];
    const DWORD bits = static_cast<DWORD>(bitsHighHalf_) << 16 | (m.bits & 0xFFFF);
    if (m.width == devMode->dmPelsWidth && m.height == devMode->dmPelsHeight &&
        bits == devMode->dmBitsPerPel) {
      if (!(flags & kCdsTest)) current_ = i;
      return kDispChangeSuccessful;
    }
  }
  return kDispChangeBadMode;
}

LRESULT FakeDisplay::SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT flags, UINT timeout, DWORD_PTR* result) {
  char text[160];
  std::snprintf(text, sizeof text, "SendMessageTimeoutA(%zX %X %zu %td flags=%u timeout=%u)",
                static_cast<std::size_t>(window), message, static_cast<std::size_t>(wParam),
                static_cast<std::ptrdiff_t>(lParam), flags, timeout);
  calls_.push_back(text);
  if (result) *result = 0;
  return 1;
}

HDC FakeDisplay::CreateDCA(const char* driver, const char*, const char*, const DEVMODEA*) {
  calls_.push_back(std::string("CreateDCA(") + (driver ? driver : "null") + ")");
  if (modes_.empty() || !driver || std::string_view(driver) != "DISPLAY") return 0;
  ++openContexts_;
  return kDisplayContext;
}

BOOL FakeDisplay::DeleteDC(HDC dc) {
  calls_.push_back("DeleteDC");
  if (dc != kDisplayContext || openContexts_ == 0) return 0;
  --openContexts_;
  return 1;
}

int FakeDisplay::GetDeviceCaps(HDC dc, int index) {
  calls_.push_back("GetDeviceCaps(" + std::to_string(index) + ")");
  if (dc != kDisplayContext) return 0;
  switch (index) {
    case kHorzRes: return static_cast<int>(current().width);
    case kVertRes: return static_cast<int>(current().height);
    case kBitsPixel: return static_cast<int>(current().bits);
    case kPlanes: return 1;
    default: return 0;
  }
}

}  // namespace zs::platform::testing
