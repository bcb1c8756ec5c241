// The pixel layouts that OLE pictures use, to and from the library's images:
// 32-bit device-independent rows (blue, green, red, alpha bytes; the same
// memory layout as 0xAARRGGBB) and the 1-bit transparency mask of icons.
// Platform-neutral, so that the conversions are tested on every build.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "branding/picture.h"

namespace zs::server {

// An image from 32-bit top-down rows. `mask` is empty for a bitmap (opaque;
// the fourth byte of its pixels means nothing) or holds the icon's AND mask
// read as 32-bit rows (non-black = transparent). An icon whose colour pixels
// carry any alpha keeps that alpha and ignores the mask. Raises 481 when the
// sizes do not fit the buffers or exceed the picture limits.
branding::Image imageFromDib(std::span<const std::uint32_t> colour, std::span<const std::uint32_t> mask,
                             int width, int height, bool isIcon);

// True when no pixel of the image is (partly) transparent.
bool isOpaque(const branding::Image& image);

// The 1-bit AND mask of an icon for the image: rows top to bottom, each padded
// to 16 bits, most significant bit first; a set bit is a transparent pixel.
std::vector<std::uint8_t> transparencyMask(const branding::Image& image);

// Pixels of `himetric` hundredths of a millimetre at 96 pixels per inch,
// rounded to nearest.
int pixelsOfHimetric(long himetric);

}  // namespace zs::server
