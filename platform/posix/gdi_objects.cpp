#include "platform/posix/gdi_objects.h"

#include <cairo.h>

#include <map>
#include <mutex>
#include <utility>

namespace zs::platform::posix {
namespace {

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
struct ContextFree {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Context = std::unique_ptr<cairo_t, ContextFree>;

// Stock objects live at these handles; table handles start above them.
constexpr std::uintptr_t kStockBase = 0x100;
constexpr int kStockCount = 6;
constexpr std::uintptr_t kFirstHandle = 0x1000;
constexpr int kMaxBitmapSide = 16384;

struct Tables {
  std::mutex mutex;
  std::uintptr_t next = kFirstHandle;
  std::map<std::uintptr_t, std::shared_ptr<const IconImage>> icons;
  std::map<std::uintptr_t, Surface> bitmaps;
  std::map<std::uintptr_t, std::uintptr_t> dcs;  // dc -> selected bitmap (0: none)
};

Tables& tables() {
  static Tables t;
  return t;
}

// A surface of the icon, premultiplied as cairo wants it.
Surface iconSurface(const IconImage& icon) {
  Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, icon.width, icon.height));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(s.get());
  unsigned char* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < icon.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
    for (int x = 0; x < icon.width; ++x) {
      const std::uint32_t p = icon.pixels[std::size_t(y) * icon.width + x];
      const std::uint32_t a = p >> 24;
      const auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      row[x] = a << 24 | mul((p >> 16) & 0xFF) << 16 | mul((p >> 8) & 0xFF) << 8 | mul(p & 0xFF);
    }
  }
  cairo_surface_mark_dirty(s.get());
  return s;
}

}  // namespace

HICON addIcon(IconImage image) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const HICON handle = t.next++;
  t.icons.emplace(handle, std::make_shared<const IconImage>(std::move(image)));
  return handle;
}

std::shared_ptr<const IconImage> findIcon(HICON icon) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const auto found = t.icons.find(icon);
  return found == t.icons.end() ? nullptr : found->second;
}

bool removeIcon(HICON icon) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  return t.icons.erase(icon) > 0;
}

HBITMAP addBitmap(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return 0;
  Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return 0;
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const HBITMAP handle = t.next++;
  t.bitmaps.emplace(handle, std::move(s));
  return handle;
}

bool removeBitmap(HBITMAP bitmap) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  for (const auto& [dc, selected] : t.dcs) {
    if (selected == bitmap) return false;  // Win32: a selected bitmap is not deleted
  }
  return t.bitmaps.erase(bitmap) > 0;
}

cairo_surface_t* bitmapSurface(HBITMAP bitmap) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const auto found = t.bitmaps.find(bitmap);
  return found == t.bitmaps.end() ? nullptr : found->second.get();
}

HDC addDc() {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const HDC handle = t.next++;
  t.dcs.emplace(handle, 0);
  return handle;
}

bool removeDc(HDC dc) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  return t.dcs.erase(dc) > 0;
}

std::optional<HBITMAP> selectBitmap(HDC dc, HBITMAP bitmap) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const auto found = t.dcs.find(dc);
  if (found == t.dcs.end() || !t.bitmaps.count(bitmap)) return std::nullopt;
  return std::exchange(found->second, bitmap);
}

cairo_surface_t* dcSurface(HDC dc) {
  auto& t = tables();
  const std::lock_guard lock(t.mutex);
  const auto found = t.dcs.find(dc);
  if (found == t.dcs.end()) return nullptr;
  const auto bitmap = t.bitmaps.find(found->second);
  return bitmap == t.bitmaps.end() ? nullptr : bitmap->second.get();
}

std::uintptr_t stockObject(int object) {
  return object >= 0 && object < kStockCount ? kStockBase + static_cast<std::uintptr_t>(object) : 0;
}

std::optional<std::uint32_t> stockBrushColour(std::uintptr_t brush) {
  static constexpr std::uint32_t kColours[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  if (brush < kStockBase || brush >= kStockBase + std::size(kColours)) return std::nullopt;
  return kColours[brush - kStockBase];
}

bool drawIcon(HDC dc, int x, int y, HICON icon, int width, int height, std::uintptr_t brush) {
  const auto image = findIcon(icon);
  cairo_surface_t* target = dcSurface(dc);
  if (!image || !target || image->width <= 0 || image->height <= 0) return false;
  if (width == 0) width = image->width;
  if (height == 0) height = image->height;
  if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return false;
  const Surface source = iconSurface(*image);
  if (!source) return false;
  const Context cr(cairo_create(target));
  cairo_rectangle(cr.get(), x, y, width, height);
  cairo_clip(cr.get());
  if (const auto colour = stockBrushColour(brush)) {
    // Flicker-free drawing: the square is the brush's, then the icon over it.
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr.get(), ((*colour >> 16) & 0xFF) / 255.0, ((*colour >> 8) & 0xFF) / 255.0,
                         (*colour & 0xFF) / 255.0);
    cairo_paint(cr.get());
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
  }
  cairo_translate(cr.get(), x, y);
  cairo_scale(cr.get(), double(width) / image->width, double(height) / image->height);
  cairo_set_source_surface(cr.get(), source.get(), 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr.get()), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
  cairo_paint(cr.get());
  cairo_surface_flush(target);
  return true;
}

bool writeBitmapPng(HBITMAP bitmap, const std::string& path) {
  cairo_surface_t* s = bitmapSurface(bitmap);
  return s && cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace zs::platform::posix
