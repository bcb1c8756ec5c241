// The branding windows of a Windows thread: GDI measures and paints them. The
// about dialogs' window procedure hands their events straight to the thread's
// AboutDialogs: the host's own message loop drives them, no thread of ours.
#include "branding/thread_windows.h"
#include "branding/win32/gdi_presenter.h"
#include "branding/win32/gdi_text.h"

namespace zs::branding {
namespace {
using Windowing = ThreadWindowing<win32::GdiMeasurer, win32::GdiPresenter, win32::GdiAboutPresenter>;
}  // namespace

std::shared_ptr<SplashWindows> threadSplashWindows() { return Windowing::splashWindows(); }
std::shared_ptr<AboutPresenter> threadAboutPresenter() { return Windowing::aboutPresenter(); }

std::shared_ptr<AboutDialogs> threadAboutDialogs() {
  auto dialogs = Windowing::aboutDialogs();
  thread_local const bool wired = [&] {
    Windowing::current().presenter->setEventSink([weak = std::weak_ptr<AboutDialogs>(dialogs)](const WindowEvent& e) {
      if (auto d = weak.lock()) d->handle(e);
    });
    return true;
  }();
  (void)wired;
  return dialogs;
}

}  // namespace zs::branding
