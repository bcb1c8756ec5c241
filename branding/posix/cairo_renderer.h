// Draws a branding window into an image with cairo and pango, 15 twips a
// pixel, the thin dialog frame included.
#pragma once

#include <string>

#include "branding/layout.h"
#include "branding/ole_color.h"

namespace zs::branding::posix {

// The whole window, frame included: outerWidth / 15 by outerHeight / 15
// pixels, opaque.
Image renderWindow(const Window& window, const SystemColors& colors = classicSystemColors());

// Writes an image as PNG; raises 75 "Path/File access error" when the file
// cannot be written.
void writePng(const Image& image, const std::string& path);

}  // namespace zs::branding::posix
