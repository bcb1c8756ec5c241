// The splash windows of one thread: each style's window is created on first
// use and kept, shared by every splash control of the thread.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "branding/layout.h"
#include "branding/splash_layouts.h"

namespace zs::branding {

// An input event of a presented window: where (client twips) and what.
struct WindowEvent {
  enum class Type { PointerMove, Click, Key, CloseBox };
  int slot = 0;
  Type type = Type::PointerMove;
  int x = 0, y = 0;     // PointerMove, Click
  unsigned key = 0;     // Key: the virtual-key code (Enter 0x0D, Esc 0x1B)
};

// Puts laid-out windows on a screen. `slot` names one window for its life.
class WindowPresenter {
 public:
  virtual ~WindowPresenter() = default;
  // Shows the window modeless, or repaints it when it is shown already; a
  // window is centred on the screen the first time it is shown.
  virtual void show(int slot, const Window& window) = 0;
  virtual void hide(int slot) = 0;

  // The pointer and key events of the windows that take input (those with a
  // caption), received since the last call, without waiting; the window
  // manager's close box comes as CloseBox. None on a presenter without input.
  virtual std::vector<WindowEvent> takeEvents() { return {}; }
  // A descriptor that becomes readable when events arrive, or -1.
  virtual int eventSource() const { return -1; }
};

class SplashWindows {
 public:
  SplashWindows(std::shared_ptr<TextMeasurer> measurer, std::shared_ptr<WindowPresenter> presenter)
      : measurer_(std::move(measurer)), presenter_(std::move(presenter)) {}

  // The window of `style` (0 to 4), created from its design on first use.
  Window& load(int style);
  bool loaded(int style) const { return windows_.at(static_cast<std::size_t>(style)).has_value(); }
  void show(int style) { presenter_->show(style, load(style)); }
  void hide(int style) {
    load(style);
    presenter_->hide(style);
  }
  TextMeasurer& measurer() { return *measurer_; }

 private:
  std::shared_ptr<TextMeasurer> measurer_;
  std::shared_ptr<WindowPresenter> presenter_;
  std::array<std::optional<Window>, kSplashStyles> windows_;
};

// The calling thread's splash windows on this platform's windowing layer.
std::shared_ptr<SplashWindows> threadSplashWindows();

}  // namespace zs::branding
