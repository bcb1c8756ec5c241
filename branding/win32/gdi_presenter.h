// Branding windows as real Win32 top-level windows painted with GDI from the
// layout model. Splash windows are popups with a thin dialog frame, tool
// windows (out of the task bar), centred at their first show and shown with
// ShowWindow + UpdateWindow, so they paint although the host may not pump
// messages. The suite about window is a dialog with a caption and a close box
// that closes by its OK button, Enter or Esc.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "branding/splash_windows.h"
#include "branding/suite_about.h"

namespace zs::branding::win32 {

class GdiPresenter final : public WindowPresenter {
 public:
  GdiPresenter() = default;
  ~GdiPresenter() override;
  GdiPresenter(const GdiPresenter&) = delete;
  GdiPresenter& operator=(const GdiPresenter&) = delete;

  void show(int slot, const Window& window) override;
  void hide(int slot) override;
  HWND windowOf(int slot) const;

  static constexpr int kSlots = 8;

 private:
  struct Slot {
    HWND hwnd = nullptr;
    std::unique_ptr<Window> window;  // what the window paints
  };
  std::array<Slot, kSlots> slots_{};
};

class GdiAboutPresenter final : public AboutPresenter {
 public:
  GdiAboutPresenter() = default;
  ~GdiAboutPresenter() override;
  GdiAboutPresenter(const GdiAboutPresenter&) = delete;
  GdiAboutPresenter& operator=(const GdiAboutPresenter&) = delete;

  void open(const Window& window) override;

 private:
  HWND hwnd_ = nullptr;
  std::unique_ptr<Window> window_;
};

}  // namespace zs::branding::win32
