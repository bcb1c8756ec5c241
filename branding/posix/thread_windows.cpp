// The splash windows of a Linux thread: pango measures, and an X11 window
// shows each style when a display can be opened.
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_presenter.h"
#include "branding/splash_windows.h"

namespace zs::branding {

std::shared_ptr<SplashWindows> threadSplashWindows() {
  thread_local auto windows = std::make_shared<SplashWindows>(std::make_shared<posix::PangoMeasurer>(),
                                                              std::make_shared<posix::X11Presenter>());
  return windows;
}

}  // namespace zs::branding
