// The branding windows of a Linux thread: pango measures, and X11 windows
// show the splash styles and the suite about window when a display can be
// opened.
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_about.h"
#include "branding/posix/x11_presenter.h"
#include "branding/splash_windows.h"

namespace zs::branding {

std::shared_ptr<SplashWindows> threadSplashWindows() {
  thread_local auto windows = std::make_shared<SplashWindows>(std::make_shared<posix::PangoMeasurer>(),
                                                              std::make_shared<posix::X11Presenter>());
  return windows;
}

std::shared_ptr<AboutPresenter> threadAboutPresenter() {
  thread_local auto about = std::make_shared<posix::X11AboutPresenter>();
  return about;
}

}  // namespace zs::branding
