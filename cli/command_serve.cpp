// zavrin serve: the JSON-lines automation host on standard input and output.
#include "cli/commands.h"
#include "cli/host.h"

namespace zs::cli {

int serveCommand(std::span<const std::string> args, CommandIo& io) {
  if (!args.empty()) throw UsageError("takes no arguments");
  Host host(io.in, io.out);
  return host.run();
}

}  // namespace zs::cli
