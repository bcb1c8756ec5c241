#include "branding/win32/gdi_text.h"

#include <cmath>

#include "platform/ansi.h"

namespace zs::branding::win32 {

FontHandle createFont(const Font& font) {
  const int height = -static_cast<int>(std::lround(font.points * 96.0 / 72.0));
  return FontHandle(CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                                font.underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                font.face.c_str()));
}

std::string ansiText(std::string_view utf8) { return platform::toAnsi(u16(utf8)); }

UINT drawTextFlags(Align align, bool oneLine) {
  UINT flags = DT_NOPREFIX | (oneLine ? DT_SINGLELINE : DT_WORDBREAK);
  if (align == Align::Right) flags |= DT_RIGHT;
  if (align == Align::Centre) flags |= DT_CENTER;
  return flags;
}

GdiMeasurer::GdiMeasurer() : dc_(CreateCompatibleDC(nullptr)) {}

GdiMeasurer::~GdiMeasurer() {
  if (dc_) DeleteDC(dc_);
}

TextSize GdiMeasurer::measure(const Font& font, std::string_view text, int wrapWidth) {
  if (!dc_) return {};
  FontHandle f = createFont(font);
  HGDIOBJ old = SelectObject(dc_, f.get());
  const std::string ansi = ansiText(text);
  RECT r{0, 0, wrapWidth > 0 ? wrapWidth / kTwipsPerPixel : 0, 0};
  DrawTextA(dc_, ansi.c_str(), static_cast<int>(ansi.size()), &r,
            drawTextFlags(Align::Left, wrapWidth <= 0) | DT_CALCRECT);
  SelectObject(dc_, old);
  return {static_cast<double>(r.right - r.left) * kTwipsPerPixel,
          static_cast<double>(r.bottom - r.top) * kTwipsPerPixel};
}

}  // namespace zs::branding::win32
