// `zavrin open URL|FILE` and `zavrin mail ADDRESS`: the ShellExecuteA call of
// ZSHyperLink's GoUrl and SendMail, through the same launcher, with the
// outcome reported (the component itself ignores it).
#include <ostream>

#include "cli/commands.h"
#include "platform/libraries.h"

namespace zs::cli {
namespace {

int openTarget(const std::string& target, CommandIo& io) {
  const platform::HINSTANCE result = platform::systemLibraries().shell32->ShellExecuteA(
      0, nullptr, target.c_str(), nullptr, "C:\\", platform::kSwShowNormal);
  if (result > 32) return 0;
  io.err << "zavrin: cannot open \"" << target << "\": "
         << (result == platform::kSeErrNoAssociation
                 ? "no desktop program opens it (xdg-open or xdg-email is missing)"
                 : "not a link, a mail address or an existing file")
         << "\n";
  return 1;
}

const std::string& onlyArgument(std::span<const std::string> args, const char* what) {
  if (args.size() != 1) throw UsageError(std::string("expected one ") + what);
  return args[0];
}

}  // namespace

int openCommand(std::span<const std::string> args, CommandIo& io) {
  return openTarget(onlyArgument(args, "URL or FILE"), io);
}

int mailCommand(std::span<const std::string> args, CommandIo& io) {
  // As SendMail: the prefix always goes in front.
  return openTarget("mailto:" + onlyArgument(args, "ADDRESS"), io);
}

}  // namespace zs::cli
