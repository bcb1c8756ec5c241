// A private virtual X server for tests: Xvfb on a display number the server
// picks itself among the free ones (-displayfd), so the user's own display is
// never reached. It is stopped when the object goes out of scope.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace zs::platform::testsupport {

class XvfbServer {
 public:
  // `screen` as Xvfb's -screen option takes it: WIDTHxHEIGHTxDEPTH.
  explicit XvfbServer(const std::string& screen = "1024x768x24") {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    std::vector<std::string> args = {ZS_XVFB, "-displayfd", fd,   "-screen", "0", screen,
                                     "-nolisten", "tcp", "-noreset", "-nocursor"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawn(&pid_, ZS_XVFB, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      pid_ = 0;
      close(fds[0]);
      return;
    }
    // The server writes its display number and a newline once it accepts
    // connections; an end of file means it has exited. A server that says
    // nothing for 30 seconds counts as not started.
    std::string number;
    char c = 0;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty() && c == '\n') name_ = ":" + number;
  }
  ~XvfbServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // The display name (":N"); empty when the server did not start.
  const std::string& name() const { return name_; }

  // Adds a WIDTHxHEIGHT mode at 60 Hz to every output, as a user's
  // `xrandr --newmode` and `--addmode` would.
  bool addMode(unsigned width, unsigned height) const {
    std::unique_ptr<Display, int (*)(Display*)> d(XOpenDisplay(name_.c_str()), XCloseDisplay);
    if (name_.empty() || !d) return false;
    const Window root = DefaultRootWindow(d.get());
    XRRScreenResources* res = XRRGetScreenResources(d.get(), root);
    if (!res) return false;
    std::string mode = std::to_string(width) + "x" + std::to_string(height);
    XRRModeInfo info{};
    info.width = width;
    info.height = height;
    info.hTotal = width + 160;
    info.vTotal = height + 30;
    info.dotClock = static_cast<unsigned long>(info.hTotal) * info.vTotal * 60;
    info.name = mode.data();
    info.nameLength = static_cast<unsigned>(mode.size());
    const RRMode id = XRRCreateMode(d.get(), root, &info);
    for (int i = 0; i < res->noutput; ++i) XRRAddOutputMode(d.get(), res->outputs[i], id);
    XRRFreeScreenResources(res);
    XSync(d.get(), False);
    return id != 0;
  }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

}  // namespace zs::platform::testsupport
