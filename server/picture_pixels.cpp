#include "server/picture_pixels.h"

#include <algorithm>

#include "branding/image_decode.h"

namespace zs::server {

using branding::Image;

Image imageFromDib(std::span<const std::uint32_t> colour, std::span<const std::uint32_t> mask, int width,
                   int height, bool isIcon) {
  if (width <= 0 || height <= 0 || width > branding::kMaxPictureSide || height > branding::kMaxPictureSide)
    branding::invalidPicture("the picture's size is out of range");
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (colour.size() < count || (isIcon && !mask.empty() && mask.size() < count))
    branding::invalidPicture("the picture's pixels are cut short");
  Image image{width, height, std::vector<std::uint32_t>(colour.begin(), colour.begin() + count)};
  const bool hasAlpha =
      isIcon && std::any_of(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return p >> 24; });
  if (hasAlpha) return image;
  for (std::size_t i = 0; i < count; ++i) {
    const bool transparent = isIcon && !mask.empty() && (mask[i] & 0xFFFFFFu) != 0;
    image.pixels[i] = transparent ? 0u : (image.pixels[i] | 0xFF000000u);
  }
  return image;
}

bool isOpaque(const Image& image) {
  return std::all_of(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return (p >> 24) == 0xFF; });
}

std::vector<std::uint8_t> transparencyMask(const Image& image) {
  const std::size_t stride = ((static_cast<std::size_t>(image.width) + 15) / 16) * 2;
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(image.height), 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if ((image.at(x, y) >> 24) == 0)
        bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) / 8] |=
            static_cast<std::uint8_t>(0x80u >> (x % 8));
  return bits;
}

int pixelsOfHimetric(long himetric) {
  if (himetric <= 0) return 0;
  return static_cast<int>((static_cast<long long>(himetric) * 96 + 1270) / 2540);
}

}  // namespace zs::server
