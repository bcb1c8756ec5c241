// zavrin serve: the JSON-lines automation host on standard input and output.
// While it waits for a request it handles the events of the about dialogs and
// the suite about window it opened, so they stay live between requests.
#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/commands.h"
#include "cli/host.h"
#include "cli/window_pump.h"

namespace zs::cli {

int serveCommand(std::span<const std::string> args, CommandIo& io) {
  if (!args.empty()) throw UsageError("takes no arguments");
  // A reader that goes away must end the host with status 1, as a failed
  // write, rather than kill it with the signal.
  std::signal(SIGPIPE, SIG_IGN);
  // Only the process's own standard input can be polled with the display.
  std::function<void()> waiting;
  if (&io.in == &std::cin) waiting = [] { pumpWindowsUntilReadable(STDIN_FILENO); };
  Host host(io.in, io.out, waiting);
  const int status = host.run();
  host.releaseAll();
  return status;
}

}  // namespace zs::cli
