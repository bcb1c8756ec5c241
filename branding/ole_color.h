// Colours of the branding windows: OLE_COLOR values resolved to RGB.
#pragma once

#include <cstdint>

#include "core/value_types.h"

namespace zs::branding {

// A resolved colour, one byte per channel.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

// The system colours the windows use, by index (OLE_COLOR 0x80000000 | index).
inline constexpr OleColor kWindowBackground = 0x80000005;
inline constexpr OleColor kWindowText = 0x80000008;
inline constexpr OleColor kCaptionText = 0x80000009;
inline constexpr OleColor kHighlightText = 0x8000000E;
inline constexpr OleColor kButtonFace = 0x8000000F;
inline constexpr OleColor kButtonShadow = 0x80000010;
inline constexpr OleColor kButtonText = 0x80000012;
inline constexpr OleColor kButtonHighlight = 0x80000014;
inline constexpr OleColor kDarkShadow = 0x80000015;

// The platform's system colours: one table per platform (the system's own on
// Windows, the classic scheme elsewhere).
class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // 0x00BBGGRR of the system colour `index`; black for an index the platform
  // does not know.
  virtual std::uint32_t GetSysColor(int index) const = 0;
};

// The classic Windows scheme (button face C0C0C0, window FFFFFF, ...), used on
// Linux; docs/branding.md lists the table.
const SystemColors& classicSystemColors();

// A COLORREF-shaped value (0x00BBGGRR) as channels.
constexpr Rgb fromColorRef(std::uint32_t bgr) {
  return Rgb{static_cast<std::uint8_t>(bgr & 0xFF), static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
             static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
}

// Resolves an OLE_COLOR: with the high bit set, the system colour of the low
// byte; otherwise the low three bytes as 0x00BBGGRR (a palette flag in the
// high byte is ignored).
Rgb resolveColor(OleColor color, const SystemColors& system);

}  // namespace zs::branding
