#include "branding/posix/x11_about.h"

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

X11AboutPresenter::~X11AboutPresenter() {
  if (display_) close(false);
}

void X11AboutPresenter::open(const Window& window) {
  pump();  // a close that waits is taken first: then the window opens anew
  if (display_) {
    // Another client may have destroyed the window meanwhile.
    XErrorsIgnored ignored(display_);
    XRaiseWindow(display_, window_);
    return;
  }
  ::Display* d = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  if (!d) return;
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

  layout_ = window;
  display_ = d;
  window_ = w;
  pixmap_ = pixmap;
  deleteWindow_ = deleteWindow;
}

int X11AboutPresenter::eventSource() const { return display_ ? ConnectionNumber(display_) : -1; }

std::size_t X11AboutPresenter::pump() {
  std::size_t handled = 0;
  while (display_ && XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    ++handled;
    bool done = false, destroyed = false;
    switch (e.type) {
      case KeyPress: {
        const KeySym key = XLookupKeysym(&e.xkey, 0);
        done = key == XK_Return || key == XK_KP_Enter || key == XK_Escape;
        break;
      }
      case ButtonPress: {
        if (e.xbutton.button != Button1) break;
        // Window pixels to client twips: the image includes the thin frame.
        const SuiteAboutClick click = suiteAboutClickAt(*layout_, (e.xbutton.x - kFramePixels) * kTwipsPerPixel,
                                                        (e.xbutton.y - kFramePixels) * kTwipsPerPixel);
        done = click.close;
        if (!click.link.empty()) {
          if (!actions_) actions_ = systemAboutActions();
          actions_->openLink(click.link);
        }
        break;
      }
      case ClientMessage: done = static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow_; break;
      case DestroyNotify: done = destroyed = e.xdestroywindow.window == window_; break;
      default: break;
    }
    if (done) close(destroyed);
  }
  return handled;
}

void X11AboutPresenter::close(bool destroyed) {
  {
    // Another client may have destroyed the window meanwhile.
    XErrorsIgnored ignored(display_);
    if (!destroyed) XDestroyWindow(display_, window_);
    XFreePixmap(display_, pixmap_);
  }
  XCloseDisplay(display_);
  display_ = nullptr;
  window_ = pixmap_ = deleteWindow_ = 0;
  layout_.reset();
}

}  // namespace zs::branding::posix
