#include "branding/ole_color.h"

#include <array>

namespace zs::branding {
namespace {

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30), the classic scheme, 0x00BBGGRR.
constexpr std::array<std::uint32_t, 31> kClassic = {
    0xC0C0C0,  // 0 scroll bar
    0x808000,  // 1 desktop (teal)
    0x800000,  // 2 active caption (navy)
    0x808080,  // 3 inactive caption
    0xC0C0C0,  // 4 menu
    0xFFFFFF,  // 5 window background
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC0C0C0,  // 10 active border
    0xC0C0C0,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x800000,  // 13 highlight (navy)
    0xFFFFFF,  // 14 highlight text
    0xC0C0C0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC0C0C0,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x000000,  // 21 3-D dark shadow
    0xDFDFDF,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0x000000,  // 25 unused
    0x800000,  // 26 hot-tracked item
    0xD08410,  // 27 active caption gradient
    0xB5B5B5,  // 28 inactive caption gradient
    0x800000,  // 29 menu highlight
    0xC0C0C0,  // 30 menu bar
};

class ClassicColors final : public SystemColors {
 public:
  std::uint32_t GetSysColor(int index) const override {
    return index >= 0 && index < static_cast<int>(kClassic.size()) ? kClassic[index] : 0;
  }
};

}  // namespace

const SystemColors& classicSystemColors() {
  static const ClassicColors colors;
  return colors;
}

Rgb resolveColor(OleColor color, const SystemColors& system) {
  if (color & 0x80000000u) return fromColorRef(system.GetSysColor(static_cast<int>(color & 0xFF)));
  return fromColorRef(color & 0x00FFFFFFu);
}

}  // namespace zs::branding
