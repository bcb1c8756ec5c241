// The branding windows of a Linux thread: pango measures, and X11 windows
// show the splash styles and the suite about window when a display can be
// opened.
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_about.h"
#include "branding/posix/x11_presenter.h"
#include "branding/about_dialogs.h"
#include "branding/splash_windows.h"

namespace zs::branding {

namespace {

// One measurer and one presenter per thread, shared by its splash windows and
// its about dialogs.
struct ThreadWindowing {
  std::shared_ptr<posix::PangoMeasurer> measurer = std::make_shared<posix::PangoMeasurer>();
  std::shared_ptr<posix::X11Presenter> presenter = std::make_shared<posix::X11Presenter>();
};

ThreadWindowing& windowing() {
  thread_local ThreadWindowing w;
  return w;
}

}  // namespace

std::shared_ptr<SplashWindows> threadSplashWindows() {
  thread_local auto windows = std::make_shared<SplashWindows>(windowing().measurer, windowing().presenter);
  return windows;
}

std::shared_ptr<AboutDialogs> threadAboutDialogs() {
  thread_local auto dialogs = std::make_shared<AboutDialogs>(windowing().measurer, windowing().presenter);
  return dialogs;
}

std::shared_ptr<AboutPresenter> threadAboutPresenter() {
  thread_local auto about = std::make_shared<posix::X11AboutPresenter>();
  return about;
}

}  // namespace zs::branding
