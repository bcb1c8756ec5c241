// The X display of the branding tests (a private Xvfb, never the user's
// display) and the client helpers that read windows back from it.
#pragma once

#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "branding/picture.h"
#include "platform/testing/xvfb_server.h"

namespace zs::branding::posix {

constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// One server for the whole test program, started on first use.
inline platform::testsupport::XvfbServer& display() {
  static platform::testsupport::XvfbServer d(std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) +
                                             "x24");
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
