// Rendered images on an X server.
#pragma once

#include "branding/picture.h"

using Display = struct _XDisplay;

namespace zs::branding::posix {

// A pixmap of the screen's depth holding `image`; 0 when the screen's depth is
// not one an 8-bit RGB image can be put on (24 or 32).
unsigned long imagePixmap(Display* display, int screen, const Image& image);

}  // namespace zs::branding::posix
