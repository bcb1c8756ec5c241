#include "branding/splash_windows.h"

namespace zs::branding {

Window& SplashWindows::load(int style) {
  auto& slot = windows_.at(static_cast<std::size_t>(style));
  if (!slot) slot = designedSplash(style);
  return *slot;
}

}  // namespace zs::branding
