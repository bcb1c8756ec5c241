// The branding windows of a thread: one text measurer and one presenter per
// thread, shared by its splash windows and its about dialogs. Each platform
// instantiates ThreadWindowing with its own measurer and presenters in its
// thread_windows.cpp, which defines the three functions declared with the
// classes they return.
#pragma once

#include <memory>

#include "branding/about_dialogs.h"
#include "branding/splash_windows.h"
#include "branding/suite_about.h"

namespace zs::branding {

template <class Measurer, class Presenter, class About>
struct ThreadWindowing {
  std::shared_ptr<Measurer> measurer = std::make_shared<Measurer>();
  std::shared_ptr<Presenter> presenter = std::make_shared<Presenter>();

  static ThreadWindowing& current() {
    thread_local ThreadWindowing w;
    return w;
  }
  static std::shared_ptr<SplashWindows> splashWindows() {
    thread_local auto windows =
        std::make_shared<SplashWindows>(current().measurer, current().presenter);
    return windows;
  }
  static std::shared_ptr<AboutDialogs> aboutDialogs() {
    thread_local auto dialogs =
        std::make_shared<AboutDialogs>(current().measurer, current().presenter);
    return dialogs;
  }
  static std::shared_ptr<AboutPresenter> aboutPresenter() {
    thread_local auto about = std::make_shared<About>();
    return about;
  }
};

}  // namespace zs::branding
