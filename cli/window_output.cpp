#include "cli/window_output.h"

#include "branding/picture.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/x11_presenter.h"
#include "cli/commands.h"
#include "cli/literals.h"
#include "core/ascii.h"
#include "core/dispatch.h"
#include "core/error.h"

#include <ostream>

namespace zs::cli {
namespace {

bool isPictureProperty(std::string_view name) {
  for (std::string_view p : {"CompanyNameImage", "ProductNameImage", "ProductLogo"})
    if (sameName(name, p)) return true;
  return false;
}

}  // namespace

void PngPresenter::show(int, const branding::Window& window) {
  branding::posix::writePng(branding::posix::renderWindow(window), path_);
}

void letProperty(Object& control, const std::string& assignment) {
  const auto eq = assignment.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError("--let takes NAME=VALUE, not '" + assignment + "'");
  const std::string name = assignment.substr(0, eq), value = assignment.substr(eq + 1);
  std::vector<Argument> args;
  if (isPictureProperty(name)) {
    args.push_back(Argument::byValue(ObjectPtr(branding::loadPicture(value))));
    invoke(control, name, CallKind::Set, args);
  } else {
    args.push_back(readLiteral(value).argument);
    invoke(control, name, CallKind::Let, args);
  }
}

WindowOptions readWindowOptions(std::span<const std::string> args, Long maxStyle, const OwnOption& own) {
  WindowOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const std::function<const std::string&()> value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--style") {
      o.style = static_cast<Long>(wholeOption(a, value(), 0, maxStyle));
    } else if (a == "--let") {
      o.lets.push_back(value());
    } else if (a == "-o" || a == "--output") {
      o.out = value();
    } else if (a == "--show") {
      o.seconds = wholeOption(a, value(), 0, 3600);
    } else if (!own || !own(a, value)) {
      throw UsageError("unknown argument '" + a + "'");
    }
  }
  return o;
}

std::shared_ptr<BothPresenters> windowPresenters(const WindowOptions& o, CommandIo& io, const std::string& command) {
  if (o.out.empty() && !o.seconds) throw UsageError("give -o OUT.png, --show SECONDS or both");
  auto presenters = std::make_shared<BothPresenters>();
  if (!o.out.empty()) presenters->all.push_back(std::make_shared<PngPresenter>(o.out));
  if (o.seconds) {
    auto x11 = std::make_shared<branding::posix::X11Presenter>();
    if (!x11->open()) {
      io.err << "zavrin " << command << ": no X display to show the window on\n";
      return nullptr;
    }
    presenters->all.push_back(x11);
  }
  return presenters;
}

}  // namespace zs::cli
