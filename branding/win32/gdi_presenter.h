// Branding windows as real Win32 top-level windows painted with GDI from the
// layout model. Splash windows are popups with a thin dialog frame, tool
// windows (out of the task bar), centred at their first show and shown with
// ShowWindow + UpdateWindow, so they paint although the host may not pump
// messages. A window with a caption (the about dialogs) is a modeless dialog:
// title bar with its caption and a close box, the thin fixed frame, owned by a
// hidden window of the presenter only (out of the task bar, independent of
// the host's windows), centred at its first show and activated, so it takes
// the keyboard. Its pointer, key and close-box messages, which the host's own
// message loop dispatches, reach the event sink as WindowEvents; hiding it
// destroys it. The suite about window is a dialog with a caption and a close
// box that closes by its OK button, Enter or Esc.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "branding/dialog_messages.h"
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

  // Receives the dialogs' events from their window procedure, on the thread
  // that runs the host's message loop. It may close the dialog (hide) before
  // it returns. The close box destroys the window in any case.
  using EventSink = std::function<void(const WindowEvent&)>;
  void setEventSink(EventSink sink) { sink_ = std::move(sink); }

  // A dialog window's message: turns input into an event for the sink;
  // true when the message is consumed (for the window procedure).
  bool dialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  static constexpr int kSlots = 8;

 private:
  struct Slot {
    HWND hwnd = nullptr;
    std::unique_ptr<Window> window;  // what the window paints
    bool dialog = false;
    std::string caption;  // as the title bar shows it (ANSI)
    bool tracking = false;  // TrackMouseEvent asked for the pointer's leaving
    DialogInput input;
  };
  HWND dialogWindow(const Window& window);
  int slotOf(HWND hwnd) const;

  std::array<Slot, kSlots> slots_{};
  HWND owner_ = nullptr;  // hidden: keeps the dialogs out of the task bar
  EventSink sink_;
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
