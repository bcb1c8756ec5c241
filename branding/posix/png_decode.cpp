// PNG pictures on Linux: decoded by cairo once the header's size is checked.
#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "branding/image_decode.h"
#include "branding/posix/cairo_handles.h"

namespace zs::branding {
namespace {

struct Reader {
  std::span<const std::uint8_t> data;
  std::size_t at = 0;
};

cairo_status_t readChunk(void* closure, unsigned char* out, unsigned int length) {
  auto* r = static_cast<Reader*>(closure);
  if (length > r->data.size() - r->at) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, r->data.data() + r->at, length);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}

std::uint32_t u32be(std::span<const std::uint8_t> d, std::size_t at) {
  return (static_cast<std::uint32_t>(d[at]) << 24) | (d[at + 1] << 16) | (d[at + 2] << 8) | d[at + 3];
}

}  // namespace

Image decodePng(std::span<const std::uint8_t> data) {
  // Signature, then the IHDR chunk: length, type, width, height.
  if (data.size() < 33 || std::memcmp(data.data() + 12, "IHDR", 4) != 0) invalidPicture("bad PNG header");
  const std::uint32_t width = u32be(data, 16), height = u32be(data, 20);
  if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    invalidPicture("bad size");
  Reader reader{data};
  posix::Surface s(cairo_image_surface_create_from_png_stream(readChunk, &reader));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) invalidPicture("a damaged PNG");
  const int w = cairo_image_surface_get_width(s.get()), h = cairo_image_surface_get_height(s.get());
  const bool alpha = cairo_image_surface_get_format(s.get()) == CAIRO_FORMAT_ARGB32;
  const unsigned char* bytes = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  Image img{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(bytes + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = row[x];
      const std::uint32_t a = alpha ? p >> 24 : 0xFF;
      auto unpremul = [a](std::uint32_t c) { return a ? std::min<std::uint32_t>(255, (c * 255 + a / 2) / a) : 0; };
      img.pixels[static_cast<std::size_t>(y) * w + x] =
          (a << 24) | (unpremul((p >> 16) & 0xFF) << 16) | (unpremul((p >> 8) & 0xFF) << 8) | unpremul(p & 0xFF);
    }
  }
  return img;
}

}  // namespace zs::branding
