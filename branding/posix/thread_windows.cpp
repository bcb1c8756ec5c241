// The branding windows of a Linux thread: pango measures, and X11 windows
// show the splash styles and the suite about window when a display can be
// opened.
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_about.h"
#include "branding/posix/x11_presenter.h"
#include "branding/thread_windows.h"

namespace zs::branding {
namespace {
using Windowing = ThreadWindowing<posix::PangoMeasurer, posix::X11Presenter, posix::X11AboutPresenter>;
}  // namespace

std::shared_ptr<SplashWindows> threadSplashWindows() { return Windowing::splashWindows(); }
std::shared_ptr<AboutDialogs> threadAboutDialogs() { return Windowing::aboutDialogs(); }
std::shared_ptr<AboutPresenter> threadAboutPresenter() { return Windowing::aboutPresenter(); }

}  // namespace zs::branding
