// zavrin serve: the JSON-lines automation host on standard input and output.
// While it waits for a request it handles the events of the about dialogs it
// opened, so they stay live between requests.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>

#include "branding/about_dialogs.h"
#include "cli/commands.h"
#include "cli/host.h"

namespace zs::cli {
namespace {

// Handles dialog events until standard input has something (or ends).
void pumpUntilInput() {
  auto dialogs = branding::threadAboutDialogs();
  for (;;) {
    dialogs->pump();
    const int display = dialogs->eventSource();
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {display, POLLIN, 0}};
    const int n = ::poll(fds, display >= 0 ? 2 : 1, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || fds[0].revents) return;
    if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) return;  // the display went away
  }
}

}  // namespace

int serveCommand(std::span<const std::string> args, CommandIo& io) {
  if (!args.empty()) throw UsageError("takes no arguments");
  // A reader that goes away must end the host with status 1, as a failed
  // write, rather than kill it with the signal.
  std::signal(SIGPIPE, SIG_IGN);
  // Only the process's own standard input can be polled with the display.
  Host host(io.in, io.out, &io.in == &std::cin ? std::function<void()>(pumpUntilInput) : nullptr);
  const int status = host.run();
  host.releaseAll();
  return status;
}

}  // namespace zs::cli
