#include "cli/window_output.h"

#include "branding/picture.h"
#include "branding/posix/cairo_renderer.h"
#include "cli/commands.h"
#include "cli/literals.h"
#include "cli/plain_numbers.h"
#include "core/ascii.h"
#include "core/dispatch.h"
#include "core/error.h"

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

long wholeOption(const std::string& option, const std::string& text, long min, long max) {
  try {
    return static_cast<long>(parseWhole(text, min, max));
  } catch (const Error&) {
    throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'");
  }
}

}  // namespace zs::cli
