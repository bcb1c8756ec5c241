#include "branding/posix/x11_message_box.h"

#include <cstdlib>

#include "branding/message_box_layout.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_hints.h"
#include "branding/posix/x11_image.h"
#include "core/value_types.h"
#include "platform/ansi.h"

// Last: Xlib defines macros (Bool, Status, True) that other headers must not see.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "branding/posix/x11_errors.h"

namespace zs::branding::posix {
namespace {

constexpr unsigned kVkReturn = 0x0D, kVkEscape = 0x1B;

// The box's own connection, window and pixmap, let go of on every path.
struct Connection {
  ::Display* display;
  ::Window window = 0;
  Pixmap pixmap = 0;
  explicit Connection(const std::string& name) : display(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {}
  ~Connection() {
    if (!display) return;
    if (window) XDestroyWindow(display, window);
    if (pixmap) XFreePixmap(display, pixmap);
    XCloseDisplay(display);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
};

// Title bar and border; the close box only where it answers something. Fixed
// size, a dialog to the window manager.
void setHints(::Display* d, ::Window w, int x, int y, int width, int height, bool closeBox) {
  struct {
    unsigned long flags, functions, decorations;
    long inputMode;
    unsigned long status;
  } motif = {3, 0x4 | (closeBox ? 0x20ul : 0ul), 0x8 | 0x2 | (closeBox ? 0x10ul : 0ul), 0, 0};
  const Atom motifAtom = XInternAtom(d, "_MOTIF_WM_HINTS", False);
  XChangeProperty(d, w, motifAtom, motifAtom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&motif), 5);
  Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&dialog), 1);
  setFixedGeometry(d, w, x, y, width, height, false);
  if (XWMHints* wm = XAllocWMHints()) {
    wm->flags = InputHint;
    wm->input = True;
    XSetWMHints(d, w, wm);
    XFree(wm);
  }
}

void setTitle(::Display* d, ::Window w, const std::string& title) {
  XStoreName(d, w, title.c_str());
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False), 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
}

// Client pixels to twips: the window includes the thin frame.
int twips(int pixels) { return (pixels - kFramePixels) * kTwipsPerPixel; }

unsigned virtualKey(KeySym key) {
  if (key == XK_Return || key == XK_KP_Enter) return kVkReturn;
  if (key == XK_Escape) return kVkEscape;
  return 0;
}

char letterOf(KeySym key) {
  if (key >= XK_a && key <= XK_z) return static_cast<char>('A' + (key - XK_a));
  if (key >= XK_A && key <= XK_Z) return static_cast<char>(key);
  return 0;
}

}  // namespace

std::optional<int> X11MessageBoxPresenter::ask(std::string_view text, std::string_view caption, platform::UINT type) {
  Connection c(displayName_);
  ::Display* d = c.display;
  if (!d) return std::nullopt;
  const int screen = DefaultScreen(d);

  // Platform text is UTF-8 here; bytes that are not become U+FFFD.
  PangoMeasurer measurer;
  const MessageBoxLayout box = layMessageBox(u8(platform::fromAnsi(text)), u8(platform::fromAnsi(caption)),
                                             type, measurer);
  const Image image = renderWindow(box.window);
  c.pixmap = imagePixmap(d, screen, image);
  if (!c.pixmap) return std::nullopt;

  const int x = (DisplayWidth(d, screen) - image.width) / 2, y = (DisplayHeight(d, screen) - image.height) / 2;
  c.window = XCreateSimpleWindow(d, RootWindow(d, screen), x, y, static_cast<unsigned>(image.width),
                                 static_cast<unsigned>(image.height), 0, 0, 0);
  setHints(d, c.window, x, y, image.width, image.height, box.cancelId != 0);
  setTitle(d, c.window, box.window.caption);
  Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, c.window, &deleteWindow, 1);
  XSetWindowBackgroundPixmap(d, c.window, c.pixmap);
  XSelectInput(d, c.window, KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
  XMapRaised(d, c.window);

  int pressed = 0;  // the button the pointer went down on
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.xany.window != c.window) continue;
    int answer = 0;
    switch (e.type) {
      case MapNotify: {
        // The box takes the keyboard; a window manager may refuse it.
        XErrorsIgnored ignored(d);
        XSetInputFocus(d, c.window, RevertToParent, CurrentTime);
        break;
      }
      case KeyPress: {
        const KeySym key = XLookupKeysym(&e.xkey, 0);
        answer = messageBoxKey(box, virtualKey(key), letterOf(key));
        break;
      }
      case ButtonPress:
        if (e.xbutton.button == Button1) pressed = messageBoxButtonAt(box, twips(e.xbutton.x), twips(e.xbutton.y));
        break;
      case ButtonRelease:
        if (e.xbutton.button != Button1) break;
        // A button answers when the pointer is let go over the button it went down on.
        if (pressed && messageBoxButtonAt(box, twips(e.xbutton.x), twips(e.xbutton.y)) == pressed) answer = pressed;
        pressed = 0;
        break;
      case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow) answer = box.cancelId;
        break;
      case DestroyNotify:
        c.window = 0;
        return 0;
      default: break;
    }
    if (answer) return answer;
  }
}

}  // namespace zs::branding::posix

namespace zs::platform::posix {

std::shared_ptr<MessageBoxPresenter> desktopMessageBoxes() {
  return std::make_shared<branding::posix::X11MessageBoxPresenter>();
}

}  // namespace zs::platform::posix
