// An Xvfb server of a test's own, on a display number the server picks
// itself (-displayfd), never the user's display; stopped with the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "branding/picture.h"

extern char** environ;

namespace zs::branding::posix {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

class VirtualDisplay {
 public:
  VirtualDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const std::string screen = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
    const char* argv[] = {ZS_XVFB_PATH, "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                          "-nolisten", "tcp", "-nocursor", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      pid_ = 0;
      close(fds[0]);
      return;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~VirtualDisplay() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

inline VirtualDisplay& display() {
  static VirtualDisplay d;
  return d;
}

// A client connection of the test.
struct Connection {
  explicit Connection(const std::string& name) : d(XOpenDisplay(name.c_str())) {}
  ~Connection() {
    if (d) XCloseDisplay(d);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ::Display* d;
};

// The pixels of window `w` (read back with XGetImage) that differ from
// `expected` in colour; -1 when the window cannot be read or differs in size.
inline int differingPixels(::Display* d, ::Window w, const Image& expected) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.width != expected.width || a.height != expected.height) return -1;
  XImage* shot = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                           AllPlanes, ZPixmap);
  if (!shot) return -1;
  int differing = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      differing += (XGetPixel(shot, x, y) & 0xFFFFFF) != (expected.at(x, y) & 0xFFFFFF);
  XDestroyImage(shot);
  return differing;
}

}  // namespace zs::branding::posix
