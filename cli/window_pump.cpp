#include "cli/window_pump.h"

#include <poll.h>

#include <cerrno>

#include "branding/about_dialogs.h"
#include "branding/suite_about.h"

namespace zs::cli {

void pumpWindowsUntilReadable(int fd) {
  auto dialogs = branding::threadAboutDialogs();
  auto about = branding::threadAboutPresenter();
  for (;;) {
    dialogs->pump();
    about->pump();
    // A window that is not open gives -1, which poll passes over.
    pollfd fds[3] = {{fd, POLLIN, 0}, {dialogs->eventSource(), POLLIN, 0}, {about->eventSource(), POLLIN, 0}};
    const int n = ::poll(fds, 3, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || fds[0].revents) return;
    for (const auto& window : {fds[1], fds[2]})
      if (window.revents & (POLLERR | POLLHUP | POLLNVAL)) return;  // the display went away
  }
}

}  // namespace zs::cli
