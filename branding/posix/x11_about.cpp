#include "branding/posix/x11_about.h"

#include <thread>

#include "branding/posix/cairo_renderer.h"
#include "branding/posix/x11_hints.h"
#include "branding/posix/x11_image.h"

// Last: Xlib defines macros (Bool, Status, True) that other headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "branding/posix/x11_errors.h"

namespace zs::branding::posix {
namespace {

struct Button {
  int x, y, w, h;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// Handles the window's events until one of them closes it; then lets go of
// the window and the connection.
void runDialog(::Display* d, ::Window w, Pixmap pixmap, Atom deleteWindow, Button ok,
               std::shared_ptr<std::atomic<unsigned long>> open) {
  bool destroyed = false;
  for (bool done = false; !done;) {
    XEvent e;
    XNextEvent(d, &e);
    switch (e.type) {
      case KeyPress: {
        const KeySym key = XLookupKeysym(&e.xkey, 0);
        done = key == XK_Return || key == XK_KP_Enter || key == XK_Escape;
        break;
      }
      case ButtonPress: done = e.xbutton.button == Button1 && ok.contains(e.xbutton.x, e.xbutton.y); break;
      case ClientMessage:
        done = static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow;
        break;
      case DestroyNotify: done = destroyed = e.xdestroywindow.window == w; break;
      default: break;
    }
  }
  open->store(0);
  if (!destroyed) XDestroyWindow(d, w);
  XFreePixmap(d, pixmap);
  XCloseDisplay(d);
}

}  // namespace

void X11AboutPresenter::open(const Window& window) {
  ::Display* d = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  if (!d) return;
  if (const unsigned long shown = state_->window.load()) {
    {
      // The dialog may close meanwhile: an error about its window is ignored.
      XErrorsIgnored ignored(d);
      XRaiseWindow(d, shown);
    }
    XCloseDisplay(d);
    return;
  }
  const int screen = DefaultScreen(d);
  const Image image = renderWindow(window);
  const Pixmap pixmap = imagePixmap(d, screen, image);
  if (!pixmap) {
    XCloseDisplay(d);
    return;
  }
  const ::Window root = RootWindow(d, screen);
  const int x = (DisplayWidth(d, screen) - image.width) / 2, y = (DisplayHeight(d, screen) - image.height) / 2;
  const ::Window w = XCreateSimpleWindow(d, root, x, y, static_cast<unsigned>(image.width),
                                         static_cast<unsigned>(image.height), 0, 0, 0);
  const std::string caption(kSuiteAboutCaption);
  XStoreName(d, w, caption.c_str());
  Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, w, &deleteWindow, 1);
  setFixedGeometry(d, w, x, y, image.width, image.height, false);
  XSetWindowBackgroundPixmap(d, w, pixmap);
  XSelectInput(d, w, KeyPressMask | ButtonPressMask | StructureNotifyMask);
  XMapRaised(d, w);
  XSync(d, False);

  const Box okBox = window.clientBox(window.element("cmdOK"));
  const Button ok{okBox.left / kTwipsPerPixel + kFramePixels, okBox.top / kTwipsPerPixel + kFramePixels,
                  okBox.width / kTwipsPerPixel, okBox.height / kTwipsPerPixel};
  state_->window.store(w);
  // The connection now belongs to the dialog's thread alone.
  std::thread(runDialog, d, w, pixmap, deleteWindow, ok,
              std::shared_ptr<std::atomic<unsigned long>>(state_, &state_->window))
      .detach();
}

}  // namespace zs::branding::posix
