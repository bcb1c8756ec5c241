// What the branding windows tell the window manager about their geometry.
#pragma once

using Display = struct _XDisplay;

namespace zs::branding::posix {

// One fixed size (minimum = maximum) at (x, y); `userPosition` insists on
// the place rather than suggesting it.
void setFixedGeometry(Display* display, unsigned long window, int x, int y, int width, int height,
                      bool userPosition);

}  // namespace zs::branding::posix
