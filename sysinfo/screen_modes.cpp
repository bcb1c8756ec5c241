#include "sysinfo/screen_modes.h"

#include <cstdint>
#include <iterator>

#include "core/error.h"

namespace zs {
namespace {

using platform::DEVMODEA;
using platform::DWORD;

struct Resolution {
  Long width, height;
};
constexpr Resolution kResolutions[] = {
    {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};

constexpr DWORD kModeFields =
    platform::kDmBitsPerPel | platform::kDmPelsWidth | platform::kDmPelsHeight;

Integer toInteger(DWORD pixels) {
  if (pixels > 32767) raise(err::kOverflow);
  return static_cast<Integer>(pixels);
}

// Deletes a device context on every path.
class DisplayContext {
 public:
  explicit DisplayContext(platform::Gdi32& gdi)
      : gdi_(gdi), dc_(gdi.CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
  ~DisplayContext() {
    if (dc_) gdi_.DeleteDC(dc_);
  }
  DisplayContext(const DisplayContext&) = delete;
  DisplayContext& operator=(const DisplayContext&) = delete;
  platform::HDC get() const { return dc_; }

 private:
  platform::Gdi32& gdi_;
  platform::HDC dc_;
};

}  // namespace

ScreenModes::ScreenModes(const platform::Libraries& libraries)
    : user32_(libraries.user32), gdi32_(libraries.gdi32) {}

DEVMODEA ScreenModes::currentMode() {
  DEVMODEA mode{};
  // A failed query leaves the zeroed record: no display reads as 0 × 0 × 0.
  (void)user32_->EnumDisplaySettingsA(nullptr, platform::kEnumCurrentSettings, &mode);
  return mode;
}

Long ScreenModes::ColorBits() {
  return static_cast<std::int16_t>(currentMode().dmBitsPerPel & 0xFFFF);
}

Integer ScreenModes::ScreenHeight() { return toInteger(currentMode().dmPelsHeight); }
Integer ScreenModes::ScreenWidth() { return toInteger(currentMode().dmPelsWidth); }

Long ScreenModes::ChangeDisplay(Long ScreenSize, Long ScreenBits) {
  if (ScreenSize < 0 || ScreenSize >= static_cast<Long>(std::size(kResolutions))) return 0;
  const Resolution r = kResolutions[ScreenSize];
  ApplyDisplayMode(r.width, r.height, ScreenBits);
  return 0;
}

Long ScreenModes::currentBits() {
  if (!gdi32_) return 0;  // a library set without gdi32: the depth stays unknown
  DisplayContext dc(*gdi32_);
  return dc.get() ? gdi32_->GetDeviceCaps(dc.get(), platform::kBitsPixel) : 0;
}

void ScreenModes::ApplyDisplayMode(Long width, Long height, Long bits) {
  if (bits < -32768 || bits > 32767) raise(err::kOverflow);
  // 0 bits names no mode any display has; the caller who leaves the depth
  // out keeps the one in use.
  if (bits == 0) bits = currentBits();

  DEVMODEA mode{};
  // The first mode the display reports is the template; a failure leaves the
  // zeroed record, which the test call then refuses.
  (void)user32_->EnumDisplaySettingsA(nullptr, 0, &mode);
  mode.dmFields = kModeFields;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = (mode.dmBitsPerPel & 0xFFFF0000u) | (static_cast<DWORD>(bits) & 0xFFFFu);
  if (user32_->ChangeDisplaySettingsA(&mode, platform::kCdsTest) !=
      platform::kDispChangeSuccessful) {
    return;
  }
  (void)user32_->ChangeDisplaySettingsA(&mode, platform::kCdsUpdateRegistry);
  // Bounded: a hung top-level window must not hang the caller.
  const auto lParam = static_cast<platform::LPARAM>(height) * 65536 + width;
  platform::DWORD_PTR answer = 0;
  (void)user32_->SendMessageTimeoutA(platform::kHwndBroadcast, platform::kWmDisplayChange,
                                     static_cast<platform::WPARAM>(static_cast<DWORD>(bits)),
                                     lParam, platform::kSmtoAbortIfHung, kDisplayChangeTimeoutMs,
                                     &answer);
}

}  // namespace zs
