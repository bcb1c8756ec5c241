#include "branding/posix/cairo_renderer.h"

#include <cmath>

#include "branding/posix/cairo_handles.h"
#include "branding/posix/pango_text.h"
#include "core/error.h"

namespace zs::branding::posix {
namespace {

int px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

// An image as a cairo surface (premultiplied alpha).
Surface surfaceOf(const Image& img) {
  Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.width, img.height));
  cairo_surface_flush(s.get());
  unsigned char* data = cairo_image_surface_get_data(s.get());
  if (!data) throw Error(7, "Out of memory");
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < img.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < img.width; ++x) row[x] = premultiplied(img.at(x, y));
  }
  cairo_surface_mark_dirty(s.get());
  return s;
}

struct PixelBox {
  int x, y, w, h;
};
PixelBox pixels(const Box& b) {
  const int x = px(b.left), y = px(b.top);
  return {x, y, px(b.right()) - x, px(b.bottom()) - y};
}

class Painter {
 public:
  Painter(cairo_t* cr, const SystemColors& colors) : cr_(cr), colors_(colors) {}

  void color(OleColor c) {
    const Rgb rgb = resolveColor(c, colors_);
    cairo_set_source_rgb(cr_, rgb.r / 255.0, rgb.g / 255.0, rgb.b / 255.0);
  }
  void fill(int x, int y, int w, int h, OleColor c) {
    if (w <= 0 || h <= 0) return;
    color(c);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
  }
  // A one-pixel rectangle outline inside x, y, w, h.
  void outline(int x, int y, int w, int h, OleColor c) {
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
  }

  void label(const Element& e, const PixelBox& b) {
    if (!e.transparent) fill(b.x, b.y, b.w, b.h, e.backColor);
    if (e.text.empty()) return;
    cairo_save(cr_);
    cairo_rectangle(cr_, b.x, b.y, b.w, b.h);
    cairo_clip(cr_);
    // A single-line auto-size label already has the size of its text; every
    // other label wraps within its box.
    const bool oneLine = e.autoSize && !e.wordWrap;
    Layout layout = makeLayout(cr_, e.font, e.text, oneLine ? 0 : std::max(1, b.w), e.align);
    color(e.foreColor);
    cairo_move_to(cr_, b.x, b.y);
    pango_cairo_show_layout(cr_, layout.get());
    cairo_restore(cr_);
  }

  void image(const Element& e, const PixelBox& b) {
    const Image* img = e.picture ? e.picture->image() : nullptr;
    if (!img) return;
    Surface s = surfaceOf(*img);
    cairo_set_source_surface(cr_, s.get(), b.x, b.y);
    cairo_paint(cr_);
  }

  // Horizontal and vertical lines cover whole pixels: a pen of width w at
  // row y covers rows y - w/2 to y - w/2 + w - 1; the end point is not drawn.
  void line(const Element& e) {
    const int x1 = px(e.box.left), y1 = px(e.box.top), x2 = px(e.box.right()), y2 = px(e.box.bottom());
    const int w = std::max(1, e.lineWidth), off = w / 2;
    if (y1 == y2) {
      fill(std::min(x1, x2), y1 - off, std::abs(x2 - x1), w, e.foreColor);
    } else if (x1 == x2) {
      fill(x1 - off, std::min(y1, y2), w, std::abs(y2 - y1), e.foreColor);
    } else {
      color(e.foreColor);
      cairo_set_line_width(cr_, w);
      cairo_move_to(cr_, x1 + 0.5, y1 + 0.5);
      cairo_line_to(cr_, x2 + 0.5, y2 + 0.5);
      cairo_stroke(cr_);
    }
  }

  void element(const Window& w, const Element& e) {
    const Box box = w.clientBox(e);
    const PixelBox b = pixels(box);
    cairo_save(cr_);
    if (e.container >= 0) {
      const PixelBox f = pixels(w.elements[static_cast<std::size_t>(e.container)].box);
      cairo_rectangle(cr_, f.x, f.y, f.w, f.h);
      cairo_clip(cr_);
    }
    switch (e.kind) {
      case ElementKind::Label: label(e, b); break;
      case ElementKind::Image: image(e, b); break;
      case ElementKind::Band:
        fill(b.x, b.y, b.w, b.h, e.fillColor);
        outline(b.x, b.y, b.w, b.h, e.borderColor);
        break;
      case ElementKind::Line: line(e); break;
      case ElementKind::Frame:
        // Etched: a shadow rectangle with a highlight one pixel inside and below it.
        outline(b.x + 1, b.y + 1, b.w - 1, b.h - 1, kButtonHighlight);
        outline(b.x, b.y, b.w - 1, b.h - 1, kButtonShadow);
        break;
      case ElementKind::Button: button(b); break;
    }
    cairo_restore(cr_);
  }

  // A push button: highlight on the top and left, dark shadow on the bottom
  // and right with the shadow one pixel inside, button face within.
  void button(const PixelBox& b) {
    fill(b.x, b.y, b.w, b.h, kDarkShadow);
    fill(b.x, b.y, b.w - 1, b.h - 1, kButtonHighlight);
    fill(b.x + 1, b.y + 1, b.w - 2, b.h - 2, kButtonShadow);
    fill(b.x + 1, b.y + 1, b.w - 3, b.h - 3, kButtonFace);
  }

  // The thin raised dialog frame: light and highlight on the top and left,
  // dark shadow and shadow on the bottom and right, then button face.
  void dialogFrame(int w, int h) {
    fill(0, 0, w, h, kDarkShadow);
    fill(0, 0, w - 1, h - 1, 0x80000016);  // 3-D light
    fill(1, 1, w - 2, h - 2, kButtonShadow);
    fill(1, 1, w - 3, h - 3, kButtonHighlight);
    fill(2, 2, w - 4, h - 4, kButtonFace);
  }

 private:
  cairo_t* cr_;
  const SystemColors& colors_;
};

}  // namespace

Image renderWindow(const Window& window, const SystemColors& colors) {
  const int width = px(window.outerWidth()), height = px(window.outerHeight());
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw Error(7, "Out of memory");
  Cairo cr(cairo_create(surface.get()));
  Painter paint(cr.get(), colors);
  paint.dialogFrame(width, height);
  cairo_translate(cr.get(), kFramePixels, kFramePixels);
  const int cw = px(window.clientWidth), ch = px(window.clientHeight);
  cairo_rectangle(cr.get(), 0, 0, cw, ch);
  cairo_clip(cr.get());
  paint.fill(0, 0, cw, ch, window.background);
  for (auto it = window.elements.rbegin(); it != window.elements.rend(); ++it) paint.element(window, *it);
  cr.reset();

  cairo_surface_flush(surface.get());
  Image out{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) out.pixels[static_cast<std::size_t>(y) * width + x] = row[x] | 0xFF000000u;
  }
  return out;
}

void writePng(const Image& image, const std::string& path) {
  Surface surface = surfaceOf(image);
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw Error(75, "Cannot write " + path, "zavrin");
}

}  // namespace zs::branding::posix
