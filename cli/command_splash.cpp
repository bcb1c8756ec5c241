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
#include "branding/posix/x11_presenter.h"
#include "branding/splash_screen.h"
#include "branding/suite_about.h"
#include "cli/commands.h"
#include "cli/window_output.h"
#include "core/error.h"
#include "frame/control_site.h"

namespace zs::cli {

int splashCommand(std::span<const std::string> args, CommandIo& io) {
  std::optional<Long> style;
  std::vector<std::string> lets;
  std::string out;
  std::optional<long> seconds;
  bool about = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--style") {
      style = static_cast<Long>(wholeOption(a, value(), 0, 4));
    } else if (a == "--let") {
      lets.push_back(value());
    } else if (a == "-o" || a == "--output") {
      out = value();
    } else if (a == "--about") {
      about = true;
    } else if (a == "--show") {
      seconds = wholeOption(a, value(), 0, 3600);
    } else {
      throw UsageError("unknown argument '" + a + "'");
    }
  }
  if (about) {
    // The suite about window instead of a splash window.
    if (style || !lets.empty() || seconds || out.empty())
      throw UsageError("--about takes -o OUT.png and nothing else");
    branding::posix::writePng(branding::posix::renderWindow(branding::suiteAboutWindow()), out);
    return 0;
  }
  if (!style) throw UsageError("--style N (0 to 4) is required");
  if (out.empty() && !seconds) throw UsageError("give -o OUT.png, --show SECONDS or both");

  auto presenters = std::make_shared<BothPresenters>();
  std::shared_ptr<branding::posix::X11Presenter> x11;
  if (!out.empty()) presenters->all.push_back(std::make_shared<PngPresenter>(out));
  if (seconds) {
    x11 = std::make_shared<branding::posix::X11Presenter>();
    if (!x11->open()) {
      io.err << "zavrin splash: no X display to show the window on\n";
      return 1;
    }
    presenters->all.push_back(x11);
  }
  auto windows = std::make_shared<branding::SplashWindows>(
      std::make_shared<branding::posix::PangoMeasurer>(), presenters);
  auto splash = create<SplashScreen>(windows);
  startControl(*splash, nullptr, nullptr);
  splash->SplashStyle(*style);
  for (const auto& l : lets) letProperty(*splash, l);
  splash->ShowSplash();
  if (seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(*seconds));
    splash->HideSplash();
  }
  return 0;
}

}  // namespace zs::cli
