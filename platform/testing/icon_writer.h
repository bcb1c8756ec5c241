// Writes icon images and files for tests: DIB images of every depth with
// their AND mask, PNG images, .ico files and the RT_GROUP_ICON/RT_ICON
// resources of an executable (with pe_writer.h). The PNG writer needs
// libpng; the Windows test helpers, built without it, use the rest.
#pragma once

#if __has_include(<png.h>)
#include <png.h>
#define ZS_ICON_WRITER_PNG 1
#endif

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/testing/pe_writer.h"

namespace zs::platform::testing {

// A pixel of a test image: 0xAARRGGBB, not premultiplied.
using PixelAt = std::function<std::uint32_t(int x, int y)>;

struct IconPicture {
  int side;
  int bits;  // 1, 4, 8, 24, 32; 0 for PNG
  Bytes data;
};

// A DIB of `side` pixels at `bits` per pixel. For 32 bits the alpha is
// written as given; otherwise pixels with alpha below 128 go to the mask.
// Palette images take their colours from the pixels, in order of appearance
// (at most 2^bits of them).
inline IconPicture dibPicture(int side, int bits, const PixelAt& pixel, bool mask = true) {
  Bytes out(40, 0);
  putLe(out, 0, 40, 4);
  putLe(out, 4, side, 4);
  putLe(out, 8, side * 2, 4);
  putLe(out, 12, 1, 2);
  putLe(out, 14, bits, 2);
  std::vector<std::uint32_t> palette;
  auto paletteIndex = [&](std::uint32_t rgb) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
      if (palette[i] == rgb) return static_cast<unsigned>(i);
    }
    palette.push_back(rgb);
    return static_cast<unsigned>(palette.size() - 1);
  };
  const std::size_t stride = (std::size_t(side) * bits + 31) / 32 * 4;
  const std::size_t maskStride = (std::size_t(side) + 31) / 32 * 4;
  Bytes rows(stride * side, 0), maskRows(maskStride * side, 0);
  for (int y = 0; y < side; ++y) {
    const std::size_t row = std::size_t(side - 1 - y);
    for (int x = 0; x < side; ++x) {
      const std::uint32_t p = pixel(x, y);
      if ((p >> 24) < 128) maskRows[row * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      std::uint8_t* at = rows.data() + row * stride;
      if (bits == 32) {
        putLe(rows, row * stride + x * 4, p, 4);
      } else if (bits == 24) {
        at[x * 3] = p & 0xFF;
        at[x * 3 + 1] = (p >> 8) & 0xFF;
        at[x * 3 + 2] = (p >> 16) & 0xFF;
      } else {
        const unsigned index = paletteIndex(p & 0xFFFFFF);
        const std::size_t bit = std::size_t(x) * bits;
        at[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
      }
    }
  }
  if (bits <= 8) {
    putLe(out, 32, palette.size(), 4);
    for (auto c : palette) putLe(out, out.size(), c, 4);
  }
  out.insert(out.end(), rows.begin(), rows.end());
  if (mask) out.insert(out.end(), maskRows.begin(), maskRows.end());
  return {side, bits, out};
}

#ifdef ZS_ICON_WRITER_PNG
inline IconPicture pngPicture(int side, const PixelAt& pixel) {
  std::vector<std::uint32_t> pixels(std::size_t(side) * side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) pixels[std::size_t(y) * side + x] = pixel(x, y);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = image.height = static_cast<png_uint_32>(side);
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  Bytes out(size);
  png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
  out.resize(size);
  return {side, 0, out};
}
#endif

// The directory entry of a picture, the last field (offset or id) left out.
inline void putEntry(Bytes& out, const IconPicture& p) {
  const std::size_t at = out.size();
  out.resize(at + 12, 0);
  out[at] = static_cast<std::uint8_t>(p.side >= 256 ? 0 : p.side);
  out[at + 1] = out[at];
  putLe(out, at + 4, 1, 2);
  putLe(out, at + 6, p.bits ? p.bits : 32, 2);
  putLe(out, at + 8, p.data.size(), 4);
}

inline Bytes icoFile(const std::vector<IconPicture>& pictures) {
  Bytes out(6, 0);
  putLe(out, 2, 1, 2);
  putLe(out, 4, pictures.size(), 2);
  std::size_t offset = 6 + 16 * pictures.size();
  for (const auto& p : pictures) {
    putEntry(out, p);
    putLe(out, out.size(), offset, 4);
    offset += p.data.size();
  }
  for (const auto& p : pictures) out.insert(out.end(), p.data.begin(), p.data.end());
  return out;
}

// One RT_GROUP_ICON (id `groupId`, or `name`) with its RT_ICON images, whose
// ids start at `firstIconId`.
inline std::vector<ResourceItem> iconResources(std::uint32_t groupId, std::uint32_t firstIconId,
                                               const std::vector<IconPicture>& pictures,
                                               const std::string& name = {}) {
  std::vector<ResourceItem> out;
  Bytes group(6, 0);
  putLe(group, 2, 1, 2);
  putLe(group, 4, pictures.size(), 2);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    putEntry(group, pictures[i]);
    putLe(group, group.size(), firstIconId + i, 2);
    out.push_back({3, static_cast<std::uint32_t>(firstIconId + i), pictures[i].data, {}});
  }
  out.push_back({14, groupId, group, name});
  return out;
}

}  // namespace zs::platform::testing
