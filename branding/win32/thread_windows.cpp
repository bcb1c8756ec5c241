// The branding windows of a Windows thread: GDI measures and paints them.
#include "branding/about_dialogs.h"
#include "branding/splash_windows.h"
#include "branding/suite_about.h"
#include "branding/win32/gdi_presenter.h"
#include "branding/win32/gdi_text.h"

namespace zs::branding {

namespace {

// One measurer and one presenter per thread, shared by its splash windows and
// its about dialogs.
struct ThreadWindowing {
  std::shared_ptr<win32::GdiMeasurer> measurer = std::make_shared<win32::GdiMeasurer>();
  std::shared_ptr<win32::GdiPresenter> presenter = std::make_shared<win32::GdiPresenter>();
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
  thread_local auto about = std::make_shared<win32::GdiAboutPresenter>();
  return about;
}

}  // namespace zs::branding
