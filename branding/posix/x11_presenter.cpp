#include "branding/posix/x11_presenter.h"

#include <cstring>

#include "branding/posix/cairo_renderer.h"
#include "branding/posix/x11_image.h"

// Last: Xlib defines macros (Bool, Status, True) that other headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zs::branding::posix {
namespace {

// Undecorated (the library draws the thin frame), not in the task bar,
// neither resizable nor moved by the window manager.
void setWindowManagerHints(::Display* d, ::Window w, int x, int y, int width, int height) {
  struct {
    unsigned long flags, functions, decorations;
    long inputMode;
    unsigned long status;
  } motif = {2, 0, 0, 0, 0};  // MWM_HINTS_DECORATIONS, none
  const Atom motifAtom = XInternAtom(d, "_MOTIF_WM_HINTS", False);
  XChangeProperty(d, w, motifAtom, motifAtom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&motif), 5);

  const Atom state = XInternAtom(d, "_NET_WM_STATE", False);
  Atom skip[] = {XInternAtom(d, "_NET_WM_STATE_SKIP_TASKBAR", False),
                 XInternAtom(d, "_NET_WM_STATE_SKIP_PAGER", False)};
  XChangeProperty(d, w, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(skip), 2);

  XSizeHints* hints = XAllocSizeHints();
  if (hints) {
    hints->flags = PPosition | USPosition | PMinSize | PMaxSize;
    hints->x = x;
    hints->y = y;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(d, w, hints);
    XFree(hints);
  }
}

}  // namespace

X11Presenter::X11Presenter(std::string displayName, const SystemColors& colors)
    : displayName_(std::move(displayName)), colors_(colors) {}

X11Presenter::~X11Presenter() {
  if (!display_) return;
  for (auto& s : slots_) {
    if (s.window) XDestroyWindow(display_, s.window);
    if (s.pixmap) XFreePixmap(display_, s.pixmap);
  }
  XCloseDisplay(display_);
}

bool X11Presenter::open() {
  if (!tried_) {
    tried_ = true;
    display_ = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  }
  return display_ != nullptr;
}

void X11Presenter::show(int slot, const Window& window) {
  if (slot < 0 || slot >= kSlots || !open()) return;
  const Image image = renderWindow(window, colors_);
  ::Display* d = display_;
  const int screen = DefaultScreen(d);
  const int depth = DefaultDepth(d, screen);
  if (depth != 24 && depth != 32) return;  // the image is 8-bit RGB; other depths show nothing
  Slot& s = slots_[static_cast<std::size_t>(slot)];
  const ::Window root = RootWindow(d, screen);

  if (s.window && (s.width != image.width || s.height != image.height)) {
    XDestroyWindow(d, s.window);
    s.window = 0;
  }
  if (!s.window) {
    const int x = (DisplayWidth(d, screen) - image.width) / 2;
    const int y = (DisplayHeight(d, screen) - image.height) / 2;
    s.window = XCreateSimpleWindow(d, root, x, y, static_cast<unsigned>(image.width),
                                   static_cast<unsigned>(image.height), 0, 0, 0);
    s.width = image.width;
    s.height = image.height;
    setWindowManagerHints(d, s.window, x, y, image.width, image.height);
    XStoreName(d, s.window, "");
  }
  const Pixmap pixmap = imagePixmap(d, screen, image);
  // The server paints every exposure from the background pixmap by itself.
  XSetWindowBackgroundPixmap(d, s.window, pixmap);
  if (s.pixmap) XFreePixmap(d, s.pixmap);
  s.pixmap = pixmap;
  XMapRaised(d, s.window);
  XClearWindow(d, s.window);
  XSync(d, False);
}

void X11Presenter::hide(int slot) {
  if (slot < 0 || slot >= kSlots || !display_) return;
  Slot& s = slots_[static_cast<std::size_t>(slot)];
  if (!s.window) return;
  XUnmapWindow(display_, s.window);
  XSync(display_, False);
}

unsigned long X11Presenter::windowOf(int slot) const {
  return slot >= 0 && slot < kSlots ? slots_[static_cast<std::size_t>(slot)].window : 0;
}

}  // namespace zs::branding::posix
