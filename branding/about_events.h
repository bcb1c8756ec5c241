// What the about dialogs do with the pointer and the keyboard, over the
// layout model: hover colours, and the action that a click or a key asks for.
// The windowing layer hit-tests its events here and carries the action out.
#pragma once

#include <string>

#include "branding/layout.h"

namespace zs::branding {

enum class AboutAction { None, Close, OpenWebsite, OpenMail, StartSysInfo };

// The element under a point of the client area (twips) that receives the
// pointer: the front-most label, picture or button holding it; null over
// the dialog's own background (bands and lines take no pointer events).
const Element* elementAt(const Window& dialog, int x, int y);

// The pointer moved to (x, y): sets the hover colours of what lies there.
// Returns true when a colour changed and the dialog needs repainting.
bool pointerMoved(Window& dialog, int x, int y);

// A click at (x, y): the action of the element there. A click on a caption
// box acts as its button does.
AboutAction clickAt(const Window& dialog, int x, int y);

// A key: Enter and Esc close the dialog (OK is its default and its cancel
// button); other keys do nothing.
AboutAction keyPressed(unsigned virtualKey);

// The file a link action hands to the shell: the web link's text as shown,
// or "mailto:" followed by the mail link's text.
std::string linkTarget(const Window& dialog, AboutAction action);

}  // namespace zs::branding
