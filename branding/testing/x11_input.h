// What a person does to a window, for tests on an Xvfb of their own: real
// pointer and key input through the XTest extension, and waiting (bounded)
// for what the program under test brings about.
#pragma once

#include <chrono>
#include <cstring>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "branding/layout.h"
#include "branding/posix/x11_errors.h"

namespace zs::branding::posix {

// Waits up to ten seconds for a condition that another thread or process
// brings about.
template <class F>
bool eventually(F condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

// The top-level window of that name, 0 when there is none. Another client's
// window may go away while its name is read: that error is no failure.
inline ::Window windowNamed(::Display* d, const char* wanted) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  XSync(d, False);
  XErrorsIgnored ignored(d);
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(d, children[i], &name) && name) {
      if (std::strcmp(name, wanted) == 0) found = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  return found;
}

// The screen point at the middle of `box` (client twips) of window `w`, which
// draws the thin frame around its client area.
struct Point {
  int x, y;
};
inline Point screenPoint(::Display* d, ::Window w, const Box& box) {
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), box.left / kTwipsPerPixel + kFramePixels + box.width / kTwipsPerPixel / 2,
                        box.top / kTwipsPerPixel + kFramePixels + box.height / kTwipsPerPixel / 2, &x, &y, &child);
  return {x, y};
}

inline void pointerTo(::Display* d, Point p) {
  XTestFakeMotionEvent(d, DefaultScreen(d), p.x, p.y, CurrentTime);
  XSync(d, False);
}

// Moves the pointer there and clicks the left button.
inline void clickAt(::Display* d, Point p) {
  pointerTo(d, p);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
}

// Presses and lets go of a key; it goes to the window that has the keyboard.
inline void typeKey(::Display* d, KeySym key) {
  const KeyCode code = XKeysymToKeycode(d, key);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XSync(d, False);
}

// The window manager's close box: WM_DELETE_WINDOW sent to the window.
inline void pressCloseBox(::Display* d, ::Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  XSendEvent(d, w, False, NoEventMask, &e);
  XSync(d, False);
}

// Whether `w` is on the screen (input reaches only a mapped window).
inline bool viewable(::Display* d, ::Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

// Whether `w` has the keyboard (which it takes once it is shown).
inline bool hasFocus(::Display* d, ::Window w) {
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  return focus == w;
}

}  // namespace zs::branding::posix
