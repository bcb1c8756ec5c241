// A rendered window with the helpers of the pixel checks: pixels in client
// coordinates, an element's pixel box and the bounds of the ink in a box.
#pragma once

#include <algorithm>
#include <cstdint>

#include "branding/layout.h"

namespace zs::branding::testing {

struct Rendered {
  Window window;
  Image image;
  // A pixel of the client area, in client pixels.
  std::uint32_t at(int x, int y) const { return image.at(x + kFramePixels, y + kFramePixels); }
  // The client-pixel box of an element.
  Box pixels(std::string_view name) const {
    const Box b = window.clientBox(window.element(name));
    return {b.left / 15, b.top / 15, b.width / 15, b.height / 15};
  }
  // Ink: pixels inside `b` that differ from `background`; bounds of them.
  Box ink(const Box& b, std::uint32_t background) const {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    for (int y = b.top; y < b.bottom(); ++y)
      for (int x = b.left; x < b.right(); ++x)
        if (at(x, y) != background) {
          x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    return x1 < 0 ? Box{} : Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
  }
};

}  // namespace zs::branding::testing
