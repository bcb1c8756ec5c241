// The branding windows of a Windows thread: GDI measures and paints them.
#include "branding/splash_windows.h"
#include "branding/suite_about.h"
#include "branding/win32/gdi_presenter.h"
#include "branding/win32/gdi_text.h"

namespace zs::branding {

std::shared_ptr<SplashWindows> threadSplashWindows() {
  thread_local auto windows = std::make_shared<SplashWindows>(std::make_shared<win32::GdiMeasurer>(),
                                                              std::make_shared<win32::GdiPresenter>());
  return windows;
}

std::shared_ptr<AboutPresenter> threadAboutPresenter() {
  thread_local auto about = std::make_shared<win32::GdiAboutPresenter>();
  return about;
}

}  // namespace zs::branding
