// Icons on Linux: the images of .ico files and of the RT_GROUP_ICON/RT_ICON
// resources of Windows images. An image is a DIB (1, 4, 8, 24 or 32 bits per
// pixel with its AND mask; 32-bit images carry their own alpha) or a PNG
// (libpng). Every size, offset and count is checked against the data; images
// are at most 256 × 256 pixels; a malformed file gives no icon, never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/posix/pe_resources.h"

namespace zs::platform::posix {

// Pixels as 0xAARRGGBB, not premultiplied, rows from the top.
struct IconImage {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

inline constexpr int kMaxIconSide = 256;

// One image of an icon directory (an .ico header or an RT_GROUP_ICON).
struct IconEntry {
  int width = 0, height = 0, bitCount = 0;
  std::uint32_t size = 0;
  std::uint32_t offsetOrId = 0;  // the file offset (.ico) or the RT_ICON id
};

// The entries of a directory; nullopt when it is malformed. `group`: the
// 14-byte entries of RT_GROUP_ICON, else the 16-byte entries of an .ico file.
std::optional<std::vector<IconEntry>> parseIconDirectory(std::span<const std::uint8_t> data,
                                                         bool group);

// The entry that suits `side`: the closest size, then the most colours.
std::size_t chooseIconEntry(const std::vector<IconEntry>& entries, int side);

// Decodes one image (PNG or DIB with its mask); nullopt when malformed.
std::optional<IconImage> decodeIconImage(std::span<const std::uint8_t> data);

// The image scaled to side × side (bilinear over premultiplied colours).
IconImage scaleIcon(const IconImage& image, int side);

// The same over any image of `size` bytes (a file, or memory).
std::size_t countIcons(const ImageReader& read, std::uint64_t size);
std::optional<IconImage> loadIcon(const ImageReader& read, std::uint64_t size, int index, int side);

// The number of icons of a file: 1 for an .ico file, the RT_GROUP_ICON
// resources of an executable, 0 for anything else.
std::size_t countFileIcons(const std::string& path);

// The icon `index` of a file (from 0; a negative index is the resource id
// -index) at `side` pixels, scaled when the file has no image of that size.
std::optional<IconImage> loadFileIcon(const std::string& path, int index, int side);

}  // namespace zs::platform::posix
