// The about dialogs of one thread: each style's dialog is created and loaded
// by its first show, refilled by further shows while it is open, and
// destroyed by closing, so the next show creates it anew.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "branding/about_layouts.h"
#include "branding/splash_windows.h"

namespace zs::branding {

// The presenter slots of the two dialogs, after the splash windows'.
inline constexpr int kAboutSlotBase = kSplashStyles;

// What the dialogs' links and System Info buttons do.
class AboutActions {
 public:
  virtual ~AboutActions() = default;
  // Opens a link with the shell (the web address as shown, or mailto:...);
  // a failure is ignored.
  virtual void openLink(const std::string& target) = 0;
  // Starts the system-information program or says it is unavailable.
  virtual void startSysInfo() = 0;
};

// The platform's own actions: the shell's ShellExecuteA and startSysInfo over
// the system libraries.
std::shared_ptr<AboutActions> systemAboutActions();

class AboutDialogs {
 public:
  // Null actions: the platform's own.
  AboutDialogs(std::shared_ptr<TextMeasurer> measurer, std::shared_ptr<WindowPresenter> presenter,
               std::shared_ptr<AboutActions> actions = nullptr)
      : measurer_(std::move(measurer)), presenter_(std::move(presenter)), actions_(std::move(actions)) {}

  // Handles one event of an open dialog's window: hover colours (repainted
  // when they change), clicks, Enter and Esc, the close box. Events of other
  // slots or of closed dialogs are ignored.
  void handle(const WindowEvent& event);
  // Handles every event the presenter has received, including those that
  // arrive meanwhile, so none is left waiting where eventSource() does not
  // show it; returns how many. The host's loop calls it whenever
  // eventSource() is readable, or now and then.
  std::size_t pump();
  int eventSource() const { return presenter_->eventSource(); }

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
  std::shared_ptr<AboutActions> actions_;
  std::array<std::optional<Window>, kAboutStyles> dialogs_;
};

// The calling thread's about dialogs on this platform's windowing layer.
std::shared_ptr<AboutDialogs> threadAboutDialogs();

}  // namespace zs::branding
