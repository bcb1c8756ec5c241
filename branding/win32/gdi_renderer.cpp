#include "branding/win32/gdi_renderer.h"

#include <cmath>
#include <vector>

#include "branding/win32/gdi_text.h"

namespace zs::branding::win32 {
namespace {

class SysColors final : public SystemColors {
 public:
  std::uint32_t GetSysColor(int index) const override { return ::GetSysColor(index); }
};

int px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

RECT pixels(const Box& b) { return RECT{px(b.left), px(b.top), px(b.right()), px(b.bottom())}; }

COLORREF colorRef(OleColor c) {
  const Rgb rgb = resolveColor(c, win32SystemColors());
  return RGB(rgb.r, rgb.g, rgb.b);
}

void fill(HDC dc, RECT r, OleColor c) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  HBRUSH brush = CreateSolidBrush(colorRef(c));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void outline(HDC dc, RECT r, OleColor c) {
  fill(dc, {r.left, r.top, r.right, r.top + 1}, c);
  fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, c);
  fill(dc, {r.left, r.top, r.left + 1, r.bottom}, c);
  fill(dc, {r.right - 1, r.top, r.right, r.bottom}, c);
}

void label(HDC dc, const Element& e, RECT r) {
  if (!e.transparent) fill(dc, r, e.backColor);
  if (e.text.empty()) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  FontHandle font = createFont(e.font);
  SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colorRef(e.foreColor));
  const std::string text = ansiText(e.text);
  const bool oneLine = e.autoSize && !e.wordWrap;
  RECT box = r;
  if (oneLine) box.right = box.left + 0x7FFF;  // the box already has the text's size
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, drawTextFlags(oneLine ? Align::Left : e.align, oneLine));
  RestoreDC(dc, saved);
}

// The image at its own size, blended by its alpha.
void image(HDC dc, const Element& e, RECT r) {
  const Image* img = e.picture ? e.picture->image() : nullptr;
  if (!img) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = img->width;
  info.bmiHeader.biHeight = -img->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (mem && bitmap && bits) {
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < img->pixels.size(); ++i) out[i] = premultiplied(img->pixels[i]);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, r.left, r.top, img->width, img->height, mem, 0, 0, img->width, img->height, blend);
    SelectObject(mem, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (mem) DeleteDC(mem);
}

// Horizontal and vertical lines cover whole pixels, as on Linux.
void line(HDC dc, const Element& e) {
  const int x1 = px(e.box.left), y1 = px(e.box.top), x2 = px(e.box.right()), y2 = px(e.box.bottom());
  const int w = e.lineWidth > 1 ? e.lineWidth : 1, off = w / 2;
  if (y1 == y2) {
    fill(dc, {std::min(x1, x2), y1 - off, std::max(x1, x2), y1 - off + w}, e.foreColor);
  } else if (x1 == x2) {
    fill(dc, {x1 - off, std::min(y1, y2), x1 - off + w, std::max(y1, y2)}, e.foreColor);
  } else {
    HPEN pen = CreatePen(PS_SOLID, w, colorRef(e.foreColor));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

}  // namespace

const SystemColors& win32SystemColors() {
  static const SysColors colors;
  return colors;
}

void paintClient(HDC dc, const Window& window) {
  fill(dc, {0, 0, px(window.clientWidth), px(window.clientHeight)}, window.background);
  for (auto it = window.elements.rbegin(); it != window.elements.rend(); ++it) {
    const Element& e = *it;
    const RECT r = pixels(window.clientBox(e));
    const int saved = SaveDC(dc);
    if (e.container >= 0) {
      const RECT f = pixels(window.elements[static_cast<std::size_t>(e.container)].box);
      IntersectClipRect(dc, f.left, f.top, f.right, f.bottom);
    }
    switch (e.kind) {
      case ElementKind::Label: label(dc, e, r); break;
      case ElementKind::Image: image(dc, e, r); break;
      case ElementKind::Band:
        fill(dc, r, e.fillColor);
        outline(dc, r, e.borderColor);
        break;
      case ElementKind::Line: line(dc, e); break;
      case ElementKind::Frame:
        outline(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, kButtonHighlight);
        outline(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, kButtonShadow);
        break;
      case ElementKind::Button:
        fill(dc, r, kDarkShadow);
        fill(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, kButtonHighlight);
        fill(dc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kButtonShadow);
        fill(dc, {r.left + 1, r.top + 1, r.right - 2, r.bottom - 2}, kButtonFace);
        break;
    }
    RestoreDC(dc, saved);
  }
}

}  // namespace zs::branding::win32
