// X protocol errors ignored for a scope: for requests about a window that
// another client or thread may destroy meanwhile. Leaving the scope syncs
// first, so the errors of the scope's own requests are the ones ignored, and
// then gives the previous handler back.
#pragma once

#include <X11/Xlib.h>

namespace zs::branding::posix {

class XErrorsIgnored {
 public:
  explicit XErrorsIgnored(::Display* d) : d_(d), previous_(XSetErrorHandler(ignore)) {}
  ~XErrorsIgnored() {
    XSync(d_, False);
    XSetErrorHandler(previous_);
  }
  XErrorsIgnored(const XErrorsIgnored&) = delete;
  XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

 private:
  static int ignore(::Display*, XErrorEvent*) { return 0; }

  ::Display* d_;
  XErrorHandler previous_;
};

}  // namespace zs::branding::posix
