// The icon files the Wine drawing suite (suites/icon_drawing.vbs) reads. In
// every image the left half is one opaque colour and the right half is
// transparent, so a drawing shows the colour on the left and the background
// brush on the right. Colours as the suite names them (0x00BBGGRR):
//   icon file (.ico, one icon): large 32 px blue 0xFF0000, small 16 px green
//     0x00FF00, both 32-bit with alpha;
//   icon library (an executable): icon 1 large red 0x0000FF (8-bit with mask),
//     small magenta 0xFF00FF (4-bit with mask); icon 2 large yellow 0x00FFFF
//     (24-bit with mask), small cyan 0xFFFF00 (1-bit with mask).
#pragma once

#include <cstdint>

#include "platform/testing/icon_writer.h"

namespace zs::wine_fixtures {

using platform::testing::Bytes;
using platform::testing::dibPicture;
using platform::testing::IconPicture;

// Left half `colour` (0x00BBGGRR) and opaque, right half transparent black.
inline IconPicture halfIcon(int side, int bits, std::uint32_t colour) {
  const std::uint32_t argb =
      0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
  return dibPicture(side, bits, [side, argb](int x, int) { return x < side / 2 ? argb : 0u; });
}

inline Bytes iconFile() {
  return platform::testing::icoFile({halfIcon(16, 32, 0x00FF00), halfIcon(32, 32, 0xFF0000)});
}

inline Bytes iconLibrary() {
  using platform::testing::iconResources;
  auto resources = iconResources(1, 1, {halfIcon(32, 8, 0x0000FF), halfIcon(16, 4, 0xFF00FF)});
  const auto second = iconResources(2, 3, {halfIcon(32, 24, 0x00FFFF), halfIcon(16, 1, 0xFFFF00)});
  resources.insert(resources.end(), second.begin(), second.end());
#ifdef _WIN64
  return platform::testing::peImageWithResources(resources, true);
#else
  return platform::testing::peImageWithResources(resources, false);
#endif
}

}  // namespace zs::wine_fixtures
