#include "branding/posix/x11_image.h"

#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zs::branding::posix {

unsigned long imagePixmap(::Display* d, int screen, const Image& image) {
  const int depth = DefaultDepth(d, screen);
  if (depth != 24 && depth != 32) return 0;
  const Pixmap pixmap = XCreatePixmap(d, RootWindow(d, screen), static_cast<unsigned>(image.width),
                                      static_cast<unsigned>(image.height), static_cast<unsigned>(depth));
  // An XImage over a copy of the pixels; the buffer is ours, so it is taken
  // back before XDestroyImage would free it.
  std::vector<std::uint32_t> pixels(image.pixels);
  XImage* x = XCreateImage(d, DefaultVisual(d, screen), static_cast<unsigned>(depth), ZPixmap, 0,
                           reinterpret_cast<char*>(pixels.data()), static_cast<unsigned>(image.width),
                           static_cast<unsigned>(image.height), 32, image.width * 4);
  if (x) {
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, x, 0, 0, 0, 0, static_cast<unsigned>(image.width),
              static_cast<unsigned>(image.height));
    XFreeGC(d, gc);
    x->data = nullptr;
    XDestroyImage(x);
  }
  return pixmap;
}

}  // namespace zs::branding::posix
