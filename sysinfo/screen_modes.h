// ZSScreenModes: the current display mode of the primary display (colour
// depth, width and height in pixels) and switching it to one of five fixed
// resolutions, through the platform's user32 and gdi32. Every member asks
// the platform afresh; the control keeps no state.
#pragma once

#include <memory>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/gdi32.h"
#include "platform/libraries.h"
#include "platform/user32.h"

namespace zs {

// ZSScreenModesConstants: the resolutions ChangeDisplay knows.
enum ScreenModesSize : Long {
  zv640x480 = 0,
  zv800x600 = 1,
  zv1024x768 = 2,
  zv1280x1024 = 3,
  zv1600x1200 = 4,
};

// How long the display-change broadcast waits for one window, in milliseconds;
// a window that has stopped answering is skipped at once.
inline constexpr platform::UINT kDisplayChangeTimeoutMs = 1000;

class ScreenModes : public Control {
 public:
  explicit ScreenModes(const platform::Libraries& libraries = platform::systemLibraries());

  // Bits per pixel of the current mode (the low 16 bits of the field, signed).
  Long ColorBits();
  // The current mode's size; error 6 above 32767.
  Integer ScreenHeight();
  Integer ScreenWidth();
  // Switches to `ScreenSize` at `ScreenBits` bits per pixel when the display
  // accepts the mode, then tells every top-level window. ScreenBits 0 (or
  // omitted) keeps the current colour depth. An unknown ScreenSize changes
  // nothing; ScreenBits outside -32768..32767 raises 6 before any platform
  // call. Returns 0 whatever happened.
  Long ChangeDisplay(Long ScreenSize, Long ScreenBits = 0);

  const ClassInfo* classInfo() const override;

 private:
  platform::DEVMODEA currentMode();
  // The current colour depth from the display's device context; 0 when unknown.
  Long currentBits();
  void ApplyDisplayMode(Long width, Long height, Long bits);

  std::shared_ptr<platform::User32> user32_;
  std::shared_ptr<platform::Gdi32> gdi32_;
};

}  // namespace zs
