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
#include "cli/literals.h"
#include "cli/plain_numbers.h"
#include "core/ascii.h"
#include "core/error.h"
#include "frame/control_site.h"

namespace zs::cli {
namespace {

// Writes each window it is asked to show as PNG.
class PngPresenter final : public branding::WindowPresenter {
 public:
  explicit PngPresenter(std::string path) : path_(std::move(path)) {}
  void show(int, const branding::Window& window) override {
    branding::posix::writePng(branding::posix::renderWindow(window), path_);
  }
  void hide(int) override {}

 private:
  std::string path_;
};

// Sends both calls on to every presenter.
class BothPresenters final : public branding::WindowPresenter {
 public:
  std::vector<std::shared_ptr<branding::WindowPresenter>> all;
  void show(int slot, const branding::Window& w) override {
    for (auto& p : all) p->show(slot, w);
  }
  void hide(int slot) override {
    for (auto& p : all) p->hide(slot);
  }
};

bool isPictureProperty(std::string_view name) {
  for (std::string_view p : {"CompanyNameImage", "ProductNameImage", "ProductLogo"})
    if (sameName(name, p)) return true;
  return false;
}

// NAME=VALUE: a picture property takes a file (BMP, ICO or PNG; empty for an
// empty picture), any other property a literal as `zavrin call` reads it.
void letProperty(SplashScreen& splash, const std::string& assignment) {
  const auto eq = assignment.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError("--let takes NAME=VALUE, not '" + assignment + "'");
  const std::string name = assignment.substr(0, eq), value = assignment.substr(eq + 1);
  std::vector<Argument> args;
  if (isPictureProperty(name)) {
    args.push_back(Argument::byValue(ObjectPtr(branding::loadPicture(value))));
    invoke(splash, name, CallKind::Set, args);
  } else {
    args.push_back(readLiteral(value).argument);
    invoke(splash, name, CallKind::Let, args);
  }
}

// A whole number of the command line in [min, max].
long wholeOption(const std::string& option, const std::string& text, long min, long max) {
  try {
    return static_cast<long>(parseWhole(text, min, max));
  } catch (const Error&) {
    throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'");
  }
}

}  // namespace

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
