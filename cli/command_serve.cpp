// zavrin serve: the JSON-lines automation host on standard input and output.
#include <csignal>

#include "cli/commands.h"
#include "cli/host.h"

namespace zs::cli {

int serveCommand(std::span<const std::string> args, CommandIo& io) {
  if (!args.empty()) throw UsageError("takes no arguments");
  // A reader that goes away must end the host with status 1, as a failed
  // write, rather than kill it with the signal.
  std::signal(SIGPIPE, SIG_IGN);
  Host host(io.in, io.out);
  const int status = host.run();
  host.releaseAll();
  return status;
}

}  // namespace zs::cli
