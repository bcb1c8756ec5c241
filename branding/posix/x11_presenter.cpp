#include "branding/posix/x11_presenter.h"

#include <cstring>

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

// Any client may destroy a window of ours; a request on it afterwards would be
// an X error, which by default ends the whole process. Called with errors
// ignored.
bool exists(::Display* d, unsigned long w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) != 0;
}

// Not in the task bar, not resizable. A window without caption is
// undecorated (the library draws the thin frame) and placed where it asks; a
// dialog keeps the window manager's title bar with its close box only.
void setWindowManagerHints(::Display* d, ::Window w, int x, int y, int width, int height, bool dialog) {
  struct {
    unsigned long flags, functions, decorations;
    long inputMode;
    unsigned long status;
  } motif = {2, 0, 0, 0, 0};  // MWM_HINTS_DECORATIONS, none
  if (dialog) motif = {3, 0x20 | 0x4, 0x8 | 0x10 | 0x2, 0, 0};  // move and close; title, menu, border
  const Atom motifAtom = XInternAtom(d, "_MOTIF_WM_HINTS", False);
  XChangeProperty(d, w, motifAtom, motifAtom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&motif), 5);

  const Atom state = XInternAtom(d, "_NET_WM_STATE", False);
  Atom skip[] = {XInternAtom(d, "_NET_WM_STATE_SKIP_TASKBAR", False),
                 XInternAtom(d, "_NET_WM_STATE_SKIP_PAGER", False)};
  XChangeProperty(d, w, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(skip), 2);

  setFixedGeometry(d, w, x, y, width, height, !dialog);
}

}  // namespace

X11Presenter::X11Presenter(std::string displayName, const SystemColors& colors)
    : displayName_(std::move(displayName)), colors_(colors) {}

X11Presenter::~X11Presenter() {
  if (!display_) return;
  {
    XErrorsIgnored ignored(display_);  // a window may be gone already
    for (auto& s : slots_) {
      if (s.window) XDestroyWindow(display_, s.window);
      if (s.pixmap) XFreePixmap(display_, s.pixmap);
    }
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

  XErrorsIgnored ignored(d);
  // A window another client destroyed is made anew, centred again.
  if (s.window && !exists(d, s.window)) s.window = 0;
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
    s.dialog = !window.caption.empty();
    setWindowManagerHints(d, s.window, x, y, image.width, image.height, s.dialog);
    if (s.dialog) {
      Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
      XSetWMProtocols(d, s.window, &deleteWindow, 1);
      XSelectInput(d, s.window, KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask);
    }
  }
  XStoreName(d, s.window, window.caption.c_str());
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
  XErrorsIgnored ignored(display_);
  if (!exists(display_, s.window)) {
    s.window = 0;
    return;
  }
  XUnmapWindow(display_, s.window);
}

int X11Presenter::eventSource() const { return display_ ? ConnectionNumber(display_) : -1; }

std::vector<WindowEvent> X11Presenter::takeEvents() {
  std::vector<WindowEvent> events;
  if (!display_) return events;
  const Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  // Client pixels to twips: the window includes the thin frame.
  auto twips = [](int pixels) { return (pixels - kFramePixels) * kTwipsPerPixel; };
  while (XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    int slot = -1;
    for (int i = 0; i < kSlots; ++i)
      if (slots_[static_cast<std::size_t>(i)].window == e.xany.window) slot = i;
    if (slot < 0 || !slots_[static_cast<std::size_t>(slot)].dialog) continue;
    WindowEvent w;
    w.slot = slot;
    switch (e.type) {
      case MotionNotify:
        w.type = WindowEvent::Type::PointerMove;
        w.x = twips(e.xmotion.x);
        w.y = twips(e.xmotion.y);
        break;
      case ButtonPress:
        if (e.xbutton.button != Button1) continue;
        w.type = WindowEvent::Type::Click;
        w.x = twips(e.xbutton.x);
        w.y = twips(e.xbutton.y);
        break;
      case KeyPress: {
        const KeySym key = XLookupKeysym(&e.xkey, 0);
        w.type = WindowEvent::Type::Key;
        w.key = key == XK_Return || key == XK_KP_Enter ? 0x0D : key == XK_Escape ? 0x1B : 0;
        if (!w.key) continue;
        break;
      }
      case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) != deleteWindow) continue;
        w.type = WindowEvent::Type::CloseBox;
        break;
      default: continue;
    }
    events.push_back(w);
  }
  return events;
}

unsigned long X11Presenter::windowOf(int slot) const {
  return slot >= 0 && slot < kSlots ? slots_[static_cast<std::size_t>(slot)].window : 0;
}

}  // namespace zs::branding::posix
