#include "branding/posix/x11_hints.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zs::branding::posix {

void setFixedGeometry(::Display* d, unsigned long w, int x, int y, int width, int height, bool userPosition) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  hints->flags = PPosition | (userPosition ? USPosition : 0) | PMinSize | PMaxSize;
  hints->x = x;
  hints->y = y;
  hints->min_width = hints->max_width = width;
  hints->min_height = hints->max_height = height;
  XSetWMNormalHints(d, w, hints);
  XFree(hints);
}

}  // namespace zs::branding::posix
