#include "branding/velquorsoft.h"

namespace zs {

void showSuiteAbout(branding::AboutPresenter* about) {
  const branding::Window window = branding::suiteAboutWindow();
  if (about) {
    about->open(window);
  } else {
    branding::threadAboutPresenter()->open(window);
  }
}

}  // namespace zs
