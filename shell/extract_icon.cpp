#include "shell/extract_icon.h"

#include <limits>

#include "core/error.h"
#include "platform/ansi.h"
#include "shell/window_handle.h"

namespace zs {

std::optional<IconDrawing> iconDrawingFor(Long IconSize) {
  if (IconSize == zv16x16) return IconDrawing{true, 0};
  if (IconSize == zv24x24) return IconDrawing{false, 24};
  if (IconSize == zv32x32) return IconDrawing{false, 0};
  if (IconSize >= zv40x40 && IconSize <= zv128x128) return IconDrawing{false, 16 + 8 * IconSize};
  return std::nullopt;
}

ExtractIcon::ExtractIcon(const platform::Libraries& libraries) : libraries_(libraries) {}

Long ExtractIcon::Count() {
  const std::string file = platform::toAnsi(fileName_);
  return static_cast<Long>(libraries_.shell32->ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0));
}

Variant ExtractIcon::Extract(const Long& Index, const Long& IconSize, const Long& hdc,
                             const Long& Left, const Long& Top) {
  const platform::HGDIOBJ brush = libraries_.gdi32->GetStockObject(platform::kLtGrayBrush);
  if (Index == std::numeric_limits<Long>::min()) raise(err::kOverflow);
  const std::string file = platform::toAnsi(fileName_);
  platform::HICON large = 0, small = 0;
  libraries_.shell32->ExtractIconExA(file.c_str(), Index - 1, &large, &small, 1);
  auto& user32 = *libraries_.user32;
  if (const auto drawing = iconDrawingFor(IconSize)) {
    user32.DrawIconEx(widenedHandle(hdc), Left, Top, drawing->small ? small : large,
                      drawing->side, drawing->side, 0, brush, platform::kDiNormal);
  }
  user32.DestroyIcon(large);
  user32.DestroyIcon(small);
  return Variant();
}

}  // namespace zs
