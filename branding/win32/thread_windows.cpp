// The branding windows of a Windows thread: GDI measures and paints them.
#include "branding/thread_windows.h"
#include "branding/win32/gdi_presenter.h"
#include "branding/win32/gdi_text.h"

namespace zs::branding {
namespace {
using Windowing = ThreadWindowing<win32::GdiMeasurer, win32::GdiPresenter, win32::GdiAboutPresenter>;
}  // namespace

std::shared_ptr<SplashWindows> threadSplashWindows() { return Windowing::splashWindows(); }
std::shared_ptr<AboutDialogs> threadAboutDialogs() { return Windowing::aboutDialogs(); }
std::shared_ptr<AboutPresenter> threadAboutPresenter() { return Windowing::aboutPresenter(); }

}  // namespace zs::branding
