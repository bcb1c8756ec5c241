#include "server/picture_pixels.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace zs::server {
namespace {

TEST(PicturePixels, DibRowsBecomeImages) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> colour, mask;
    bool isIcon;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {"a bitmap is opaque whatever its fourth byte", {0x00112233, 0x7F445566}, {}, false,
       {0xFF112233, 0xFF445566}},
      {"an icon without alpha takes its mask", {0x00112233, 0x00445566}, {0x00000000, 0x00FFFFFF}, true,
       {0xFF112233, 0x00000000}},
      {"an icon with alpha keeps it and ignores the mask", {0x80112233, 0x00445566}, {0x00FFFFFF, 0}, true,
       {0x80112233, 0x00445566}},
      {"an icon without a mask is opaque", {0x00112233, 0x00445566}, {}, true, {0xFF112233, 0xFF445566}},
  };
  for (const auto& c : cases) {
    const auto image = imageFromDib(c.colour, c.mask, 2, 1, c.isIcon);
    EXPECT_EQ(image.width, 2) << c.name;
    EXPECT_EQ(image.height, 1) << c.name;
    EXPECT_EQ(image.pixels, c.expected) << c.name;
  }
}

TEST(PicturePixels, BadSizesAreInvalidPictures) {
  const std::vector<std::uint32_t> four(4, 0);
  struct Case {
    int width, height;
    std::size_t maskSize;
  } cases[] = {{0, 1, 0}, {1, -1, 0}, {3, 2, 0}, {2, 2, 3}, {8193, 1, 0}};
  for (const auto& c : cases) {
    const std::vector<std::uint32_t> mask(c.maskSize, 0);
    try {
      imageFromDib(four, mask, c.width, c.height, true);
      ADD_FAILURE() << c.width << "x" << c.height << " mask " << c.maskSize;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 481);
    }
  }
}

TEST(PicturePixels, MaskMarksTransparentPixelsInPaddedRows) {
  branding::Image image{17, 2, std::vector<std::uint32_t>(34, 0xFF000000)};
  image.pixels[0] = 0x00FFFFFF;        // (0,0)
  image.pixels[16] = 0x00000000;       // (16,0): the third byte of the first row
  image.pixels[17 + 9] = 0x00123456;   // (9,1)
  image.pixels[17 + 10] = 0x80123456;  // partly transparent: drawn, not masked
  const auto mask = transparencyMask(image);
  ASSERT_EQ(mask.size(), 8u);  // 17 bits padded to 32 per row
  EXPECT_EQ(mask, (std::vector<std::uint8_t>{0x80, 0, 0x80, 0, 0, 0x40, 0, 0}));
  EXPECT_FALSE(isOpaque(image));
  EXPECT_TRUE(isOpaque(branding::Image{1, 1, {0xFF000000}}));
}

TEST(PicturePixels, HimetricToPixels) {
  const std::pair<long, int> cases[] = {{0, 0}, {-5, 0}, {2540, 96}, {847, 32}, {26, 1}, {13, 0}};
  for (auto [himetric, pixels] : cases) EXPECT_EQ(pixelsOfHimetric(himetric), pixels) << himetric;
}

}  // namespace
}  // namespace zs::server
