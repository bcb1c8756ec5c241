// zavrin splash --style N [--let NAME=VALUE ...] [-o OUT.png] [--show SECONDS]:
// a ZSSplashScreen with its new-control defaults and the given properties,
// shown in style N and written as PNG, or put on the X display for a while.
// zavrin splash --about -o OUT.png: the suite about window as PNG.
#include <chrono>
#include <ostream>
#include <thread>
#include <vector>

#include "branding/picture.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/splash_screen.h"
#include "branding/suite_about.h"
#include "cli/commands.h"
#include "cli/window_output.h"
#include "core/error.h"
#include "frame/control_site.h"

namespace zs::cli {

int splashCommand(std::span<const std::string> args, CommandIo& io) {
  bool about = false;
  const WindowOptions o = readWindowOptions(args, 4, [&](const std::string& a, const auto&) {
    return a == "--about" && (about = true);
  });
  if (about) {
    // The suite about window instead of a splash window.
    if (o.style || !o.lets.empty() || o.seconds || o.out.empty())
      throw UsageError("--about takes -o OUT.png and nothing else");
    branding::posix::writePng(branding::posix::renderWindow(branding::suiteAboutWindow()), o.out);
    return 0;
  }
  if (!o.style) throw UsageError("--style N (0 to 4) is required");
  auto presenters = windowPresenters(o, io, "splash");
  if (!presenters) return 1;
  auto windows = std::make_shared<branding::SplashWindows>(
      std::make_shared<branding::posix::PangoMeasurer>(), presenters);
  auto splash = create<SplashScreen>(windows);
  startControl(*splash, nullptr, nullptr);
  splash->SplashStyle(*o.style);
  for (const auto& l : o.lets) letProperty(*splash, l);
  splash->ShowSplash();
  if (o.seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(*o.seconds));
    splash->HideSplash();
  }
  return 0;
}

}  // namespace zs::cli
