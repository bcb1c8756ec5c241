// Decoders of the picture formats, each bounds-checked: a short or malformed
// file raises 481, never reads outside its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "branding/picture.h"

namespace zs::branding {

[[noreturn]] void invalidPicture(const char* why);

Image decodeBmp(std::span<const std::uint8_t> data);
Image decodeIco(std::span<const std::uint8_t> data);
// PNG decoding is the platform's (cairo on Linux, WIC on Windows).
Image decodePng(std::span<const std::uint8_t> data);

}  // namespace zs::branding
