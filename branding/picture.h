// Pictures: the objects that picture properties hold. A property holds a
// shared reference that is in one of three states: a picture with an image,
// an empty picture (what the loader returns for an empty file name), or no
// object at all.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/object.h"

namespace zs::branding {

// A decoded image: rows top to bottom, each pixel 0xAARRGGBB, straight alpha.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A pixel with its colour channels scaled by its alpha (what cairo and GDI
// blend with).
constexpr std::uint32_t premultiplied(std::uint32_t argb) {
  const std::uint32_t a = argb >> 24;
  auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

class Picture final : public Object {
 public:
  // The empty picture: a picture object that holds no image.
  Picture() = default;
  explicit Picture(Image image) : image_(std::move(image)) {}

  // The image, or null for the empty picture.
  const Image* image() const { return image_ ? &*image_ : nullptr; }

  // Pictures come from the platform, not from the catalogue.
  const ClassInfo* classInfo() const override { return nullptr; }

 private:
  std::optional<Image> image_;
};

using PicturePtr = std::shared_ptr<Picture>;

// The picture loader: an empty file name gives a new empty picture; otherwise
// the file is read as BMP, ICO or PNG (by its signature). Raises 53 for a file
// that cannot be read and 481 "Invalid picture" for anything else.
PicturePtr loadPicture(const std::string& path);

// Decodes a picture file held in memory; raises 481 for data that is not a
// well-formed BMP, ICO or PNG within the size limits.
Image decodePicture(const std::uint8_t* data, std::size_t size);

// Largest picture accepted, per side, and largest file.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr std::size_t kMaxPictureFile = 64u << 20;

// The picture a Variant holds for an image element: null for Nothing, the
// picture for a picture object; raises 481 for any other object or value.
PicturePtr pictureOf(const ObjectPtr& object);

}  // namespace zs::branding
