#include "branding/image_decode.h"

#include <algorithm>
#include <string>

#include "core/error.h"

namespace zs::branding {
namespace {

constexpr int kInvalidPicture = 481;

std::uint32_t u16le(std::span<const std::uint8_t> d, std::size_t at) {
  if (at + 2 > d.size()) invalidPicture("the file is cut short");
  return d[at] | (d[at + 1] << 8);
}
std::uint32_t u32le(std::span<const std::uint8_t> d, std::size_t at) {
  if (at + 4 > d.size()) invalidPicture("the file is cut short");
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

// A device-independent bitmap: header, palette, pixel rows (at `bitsAt` when
// given, else right after the palette); an icon image carries a doubled
// height and a one-bit transparency mask after its colour rows.
Image decodeDib(std::span<const std::uint8_t> d, std::size_t bitsAt, bool icon) {
  const std::uint32_t headerSize = u32le(d, 0);
  if (headerSize < 40 || headerSize > d.size()) invalidPicture("unsupported bitmap header");
  const auto width = static_cast<std::int32_t>(u32le(d, 4));
  auto height = static_cast<std::int32_t>(u32le(d, 8));
  const std::uint32_t bpp = u16le(d, 14);
  const std::uint32_t compression = u32le(d, 16);
  std::uint32_t colours = u32le(d, 32);
  const bool topDown = height < 0;
  if (height == INT32_MIN) invalidPicture("bad height");
  if (topDown) height = -height;
  if (icon) height /= 2;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    invalidPicture("bad size");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) invalidPicture("bad depth");
  if (compression != 0 && !(compression == 3 && bpp == 32)) invalidPicture("compressed bitmap");
  std::size_t paletteAt = headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
  if (bpp <= 8) {
    if (colours == 0 || colours > (1u << bpp)) colours = 1u << bpp;
  } else {
    colours = 0;
  }
  if (paletteAt + std::size_t{colours} * 4 > d.size()) invalidPicture("the palette is cut short");
  if (bitsAt == 0) bitsAt = paletteAt + std::size_t{colours} * 4;

  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t colourBytes = stride * height;
  const bool hasMask = icon && bpp != 32;
  if (bitsAt > d.size() || d.size() - bitsAt < colourBytes + (hasMask ? maskStride * height : 0))
    invalidPicture("the pixels are cut short");

  Image img{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = bitsAt + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb;
      if (bpp <= 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bpp;
        const unsigned shift = 8 - bpp - bit % 8;
        const unsigned index = (d[row + bit / 8] >> shift) & ((1u << bpp) - 1);
        if (index >= colours) invalidPicture("a palette index out of range");
        const std::size_t p = paletteAt + index * 4;
        argb = 0xFF000000u | (d[p + 2] << 16) | (d[p + 1] << 8) | d[p];
      } else {
        const std::size_t p = row + static_cast<std::size_t>(x) * (bpp / 8);
        argb = (d[p + 2] << 16) | (d[p + 1] << 8) | d[p];
        if (bpp == 32) {
          argb |= static_cast<std::uint32_t>(d[p + 3]) << 24;
          anyAlpha = anyAlpha || d[p + 3] != 0;
        } else {
          argb |= 0xFF000000u;
        }
      }
      img.pixels[static_cast<std::size_t>(y) * width + x] = argb;
    }
  }
  // A 32-bit bitmap without any alpha is opaque.
  if (bpp == 32 && !anyAlpha)
    for (auto& p : img.pixels) p |= 0xFF000000u;
  if (hasMask) {
    const std::size_t maskAt = bitsAt + colourBytes;
    for (int y = 0; y < height; ++y) {
      const std::size_t row = maskAt + maskStride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
      for (int x = 0; x < width; ++x)
        if ((d[row + x / 8] >> (7 - x % 8)) & 1) img.pixels[static_cast<std::size_t>(y) * width + x] = 0;
    }
  }
  return img;
}

}  // namespace

void invalidPicture(const char* why) {
  throw Error(kInvalidPicture, std::string("Invalid picture: ") + why, "ZSSplashScreen");
}

Image decodeBmp(std::span<const std::uint8_t> data) {
  if (data.size() < 14 || data[0] != 'B' || data[1] != 'M') invalidPicture("not a bitmap");
  const std::uint32_t bits = u32le(data, 10);
  if (bits < 54 || bits >= data.size()) invalidPicture("bad pixel offset");
  // The header offsets of the DIB count from its own start; its pixels from the file's.
  const auto dib = data.subspan(14);
  return decodeDib(dib, bits - 14, false);
}

Image decodeIco(std::span<const std::uint8_t> data) {
  if (u16le(data, 0) != 0 || u16le(data, 2) != 1) invalidPicture("not an icon");
  const std::uint32_t count = u16le(data, 4);
  if (count == 0) invalidPicture("an icon without images");
  // The largest image of the file, the first one of that size.
  std::size_t best = 0;
  std::uint32_t bestArea = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + std::size_t{i} * 16;
    if (entry + 16 > data.size()) invalidPicture("the directory is cut short");
    const std::uint32_t w = data[entry] ? data[entry] : 256, h = data[entry + 1] ? data[entry + 1] : 256;
    if (w * h > bestArea) {
      bestArea = w * h;
      best = entry;
    }
  }
  const std::uint32_t size = u32le(data, best + 8), offset = u32le(data, best + 12);
  if (offset > data.size() || size > data.size() - offset || size < 8) invalidPicture("bad image entry");
  const auto image = data.subspan(offset, size);
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
  if (std::equal(std::begin(kPng), std::end(kPng), image.begin())) return decodePng(image);
  return decodeDib(image, 0, true);
}

Image decodePicture(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> d(data, size);
  if (size > kMaxPictureFile) invalidPicture("the file is too large");
  if (size >= 2 && d[0] == 'B' && d[1] == 'M') return decodeBmp(d);
  if (size >= 8 && d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G') return decodePng(d);
  if (size >= 6 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0) return decodeIco(d);
  invalidPicture("not a BMP, ICO or PNG file");
}

}  // namespace zs::branding
