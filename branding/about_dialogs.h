// The about dialogs of one thread: each style's dialog is created and loaded
// by its first show, refilled by further shows while it is open, and
// destroyed by closing, so the next show creates it anew.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "branding/about_layouts.h"
#include "branding/splash_windows.h"

namespace zs::branding {

// The presenter slots of the two dialogs, after the splash windows'.
inline constexpr int kAboutSlotBase = kSplashStyles;

class AboutDialogs {
 public:
  AboutDialogs(std::shared_ptr<TextMeasurer> measurer, std::shared_ptr<WindowPresenter> presenter)
      : measurer_(std::move(measurer)), presenter_(std::move(presenter)) {}

  // Shows the dialog of `style` (0 or 1) modeless, creating and loading it
  // first when it is not open; returns it for filling.
  Window& show(int style);
  // Puts the dialog's current contents on the screen again.
  void refresh(int style);
  // Closes and destroys the dialog; nothing when it is not open.
  void close(int style);
  bool open(int style) const { return dialogs_.at(static_cast<std::size_t>(style)).has_value(); }
  // The open dialog of `style`; raises 5 when it is not open.
  Window& dialog(int style);
  TextMeasurer& measurer() { return *measurer_; }

 private:
  std::shared_ptr<TextMeasurer> measurer_;
  std::shared_ptr<WindowPresenter> presenter_;
  std::array<std::optional<Window>, kAboutStyles> dialogs_;
};

// The calling thread's about dialogs on this platform's windowing layer.
std::shared_ptr<AboutDialogs> threadAboutDialogs();

}  // namespace zs::branding
