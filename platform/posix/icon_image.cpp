#include "platform/posix/icon_image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/posix/pe_resources.h"

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxImageBytes = 4u << 20;
constexpr std::size_t kMaxEntries = 256;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::optional<IconImage> decodePng(std::span<const std::uint8_t> data) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return std::nullopt;
  if (image.width == 0 || image.height == 0 || image.width > kMaxIconSide ||
      image.height > kMaxIconSide) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  IconImage out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(std::size_t(out.width) * out.height);
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

std::optional<IconImage> decodeDib(std::span<const std::uint8_t> data) {
  if (data.size() < 40) return std::nullopt;
  const std::uint32_t headerSize = u32(data.data());
  const auto width = static_cast<std::int32_t>(u32(data.data() + 4));
  const auto doubled = static_cast<std::int32_t>(u32(data.data() + 8));
  const int bits = u16(data.data() + 14);
  const std::uint32_t compression = u32(data.data() + 16);
  std::uint32_t colours = u32(data.data() + 32);
  if (headerSize < 40 || headerSize > data.size() || compression != 0) return std::nullopt;
  // The height counts the image and its mask; bottom-up rows.
  if (width <= 0 || width > kMaxIconSide || doubled <= 0 || doubled > 2 * kMaxIconSide) return std::nullopt;
  const int height = doubled / 2;
  if (height == 0) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  if (bits <= 8) {
    const std::uint32_t most = 1u << bits;
    if (colours == 0 || colours > most) colours = most;
  } else {
    colours = 0;
  }
  const std::size_t palette = headerSize;
  const std::size_t pixelsAt = palette + std::size_t(colours) * 4;
  const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
  const std::size_t maskStride = (std::size_t(width) + 31) / 32 * 4;
  const std::size_t maskAt = pixelsAt + stride * height;
  if (maskAt > data.size()) return std::nullopt;
  // A 32-bit image may come without its mask: its alpha says it all.
  const bool hasMask = maskAt + maskStride * height <= data.size();
  if (!hasMask && bits != 32) return std::nullopt;

  IconImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(std::size_t(width) * height);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data.data() + pixelsAt + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits == 32) {
        argb = u32(row + x * 4);
        anyAlpha |= (argb >> 24) != 0;
      } else if (bits == 24) {
        const std::uint8_t* p = row + x * 3;
        argb = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
      } else {
        const std::size_t bit = std::size_t(x) * bits;
        const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= colours) return std::nullopt;
        const std::uint8_t* c = data.data() + palette + index * 4;
        argb = 0xFF000000u | std::uint32_t(c[2]) << 16 | std::uint32_t(c[1]) << 8 | c[0];
      }
      out.pixels[std::size_t(y) * width + x] = argb;
    }
  }
  const bool useMask = !(bits == 32 && anyAlpha);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = hasMask ? data.data() + maskAt + maskStride * (height - 1 - y) : nullptr;
    for (int x = 0; x < width; ++x) {
      std::uint32_t& p = out.pixels[std::size_t(y) * width + x];
      if (!useMask) continue;
      const bool transparent = row && (row[x / 8] >> (7 - x % 8)) & 1;
      p = transparent ? 0 : (p | 0xFF000000u);
    }
  }
  return out;
}

// `length` bytes at `offset` of an image of `size` bytes.
std::optional<std::vector<std::uint8_t>> readBytes(const ImageReader& read, std::uint64_t size,
                                                   std::uint64_t offset, std::size_t length) {
  if (length == 0 || offset > size || length > size - offset) return std::nullopt;
  std::vector<std::uint8_t> out(length);
  if (!read(offset, length, out.data())) return std::nullopt;
  return out;
}

bool isIcoHeader(const std::vector<std::uint8_t>& head) {
  return head.size() >= 6 && u16(head.data()) == 0 && u16(head.data() + 2) == 1 &&
         u16(head.data() + 4) > 0;
}

}  // namespace

std::optional<std::vector<IconEntry>> parseIconDirectory(std::span<const std::uint8_t> data,
                                                         bool group) {
  if (data.size() < 6 || u16(data.data()) != 0 || u16(data.data() + 2) != 1) return std::nullopt;
  const std::size_t count = u16(data.data() + 4);
  const std::size_t entrySize = group ? 14 : 16;
  if (count == 0 || count > kMaxEntries || data.size() - 6 < count * entrySize) return std::nullopt;
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data.data() + 6 + i * entrySize;
    IconEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bitCount = u16(e + 6);
    if (entry.bitCount == 0) entry.bitCount = e[2] == 2 ? 1 : e[2] == 16 ? 4 : 8;
    entry.size = u32(e + 8);
    entry.offsetOrId = group ? u16(e + 12) : u32(e + 12);
    entries.push_back(entry);
  }
  return entries;
}

std::size_t chooseIconEntry(const std::vector<IconEntry>& entries, int side) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const auto distance = [side](const IconEntry& e) {
      return std::abs(e.width - side) + std::abs(e.height - side);
    };
    const int d = distance(entries[i]), bestD = distance(entries[best]);
    if (d < bestD || (d == bestD && entries[i].bitCount > entries[best].bitCount)) best = i;
  }
  return best;
}

std::optional<IconImage> decodeIconImage(std::span<const std::uint8_t> data) {
  static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (data.size() >= 8 && std::memcmp(data.data(), kPng, 8) == 0) return decodePng(data);
  return decodeDib(data);
}

IconImage scaleIcon(const IconImage& image, int side) {
  if (image.width == side && image.height == side) return image;
  IconImage out;
  out.width = out.height = side;
  out.pixels.resize(std::size_t(side) * side);
  // Premultiplied channels, so that transparent pixels lend no colour.
  const auto channel = [&](int x, int y, int c) -> double {
    x = std::clamp(x, 0, image.width - 1);
    y = std::clamp(y, 0, image.height - 1);
    const std::uint32_t p = image.pixels[std::size_t(y) * image.width + x];
    const double a = (p >> 24) / 255.0;
    return c == 3 ? a * 255.0 : ((p >> (8 * c)) & 0xFF) * a;
  };
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double sx = (x + 0.5) * image.width / side - 0.5;
      const double sy = (y + 0.5) * image.height / side - 0.5;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      const double fx = sx - x0, fy = sy - y0;
      double v[4];
      for (int c = 0; c < 4; ++c) {
        v[c] = channel(x0, y0, c) * (1 - fx) * (1 - fy) + channel(x0 + 1, y0, c) * fx * (1 - fy) +
               channel(x0, y0 + 1, c) * (1 - fx) * fy + channel(x0 + 1, y0 + 1, c) * fx * fy;
      }
      const double a = v[3];
      std::uint32_t p = static_cast<std::uint32_t>(std::lround(a)) << 24;
      if (a > 0) {
        for (int c = 0; c < 3; ++c) {
          p |= static_cast<std::uint32_t>(std::clamp(std::lround(v[c] * 255.0 / a), 0L, 255L)) << (8 * c);
        }
      }
      out.pixels[std::size_t(y) * side + x] = p;
    }
  }
  return out;
}

std::size_t countIcons(const ImageReader& read, std::uint64_t size) {
  const auto head = readBytes(read, size, 0, 6);
  if (head && isIcoHeader(*head)) return 1;
  return countResources(read, kResourceGroupIcon);
}

std::optional<IconImage> loadIcon(const ImageReader& read, std::uint64_t size, int index, int side) {
  std::optional<std::vector<std::uint8_t>> image;
  const auto head = readBytes(read, size, 0, 6);
  if (head && isIcoHeader(*head)) {
    if (index != 0) return std::nullopt;  // an .ico file holds one icon
    const auto directory = readBytes(read, size, 0, std::min<std::uint64_t>(size, 6 + 16 * kMaxEntries));
    const auto entries = directory ? parseIconDirectory(*directory, false) : std::nullopt;
    if (!entries) return std::nullopt;
    const IconEntry& e = (*entries)[chooseIconEntry(*entries, side)];
    if (e.size > kMaxImageBytes) return std::nullopt;
    image = readBytes(read, size, e.offsetOrId, e.size);
  } else {
    const auto group = index >= 0
                           ? resourceAt(read, kResourceGroupIcon, static_cast<std::size_t>(index))
                           : index == std::numeric_limits<int>::min()
                                 ? std::nullopt
                                 : resourceWithId(read, kResourceGroupIcon,
                                                  static_cast<std::uint32_t>(-index));
    const auto entries = group ? parseIconDirectory(*group, true) : std::nullopt;
    if (!entries) return std::nullopt;
    const IconEntry& e = (*entries)[chooseIconEntry(*entries, side)];
    image = resourceWithId(read, kResourceIcon, e.offsetOrId, kMaxImageBytes);
  }
  if (!image) return std::nullopt;
  const auto decoded = decodeIconImage(*image);
  if (!decoded) return std::nullopt;
  return scaleIcon(*decoded, side);
}

std::size_t countFileIcons(const std::string& path) {
  const OpenFile file(path);
  return file.fd < 0 ? 0 : countIcons(fileImage(file.fd), file.size);
}

std::optional<IconImage> loadFileIcon(const std::string& path, int index, int side) {
  const OpenFile file(path);
  if (file.fd < 0) return std::nullopt;
  return loadIcon(fileImage(file.fd), file.size, index, side);
}

}  // namespace zs::platform::posix
