#include "branding/image_decode.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error.h"

namespace zs::branding {
namespace {

using Bytes = std::vector<std::uint8_t>;

void le(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A bitmap info header, palette and rows (bottom-up, padded) of a w x h DIB.
Bytes dib(int w, int h, int bpp, const std::vector<std::uint32_t>& palette, const Bytes& rows) {
  Bytes b;
  le(b, 40, 4);
  le(b, static_cast<std::uint32_t>(w), 4);
  le(b, static_cast<std::uint32_t>(h), 4);
  le(b, 1, 2);
  le(b, static_cast<std::uint32_t>(bpp), 2);
  le(b, 0, 4);
  le(b, static_cast<std::uint32_t>(rows.size()), 4);
  le(b, 0, 4);
  le(b, 0, 4);
  le(b, static_cast<std::uint32_t>(palette.size()), 4);
  le(b, 0, 4);
  for (auto c : palette) le(b, c, 4);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

Bytes bmpFile(const Bytes& info, std::uint32_t paletteBytes) {
  Bytes b{'B', 'M'};
  le(b, static_cast<std::uint32_t>(14 + info.size()), 4);
  le(b, 0, 4);
  le(b, 14 + 40 + paletteBytes, 4);
  b.insert(b.end(), info.begin(), info.end());
  return b;
}

Bytes icoFile(const Bytes& image, int w, int h) {
  Bytes b;
  le(b, 0, 2);
  le(b, 1, 2);
  le(b, 1, 2);
  b.push_back(static_cast<std::uint8_t>(w));
  b.push_back(static_cast<std::uint8_t>(h));
  le(b, 0, 2);
  le(b, 1, 2);
  le(b, 32, 2);
  le(b, static_cast<std::uint32_t>(image.size()), 4);
  le(b, 22, 4);
  b.insert(b.end(), image.begin(), image.end());
  return b;
}

// 2 x 2, 24 bits: bottom row blue, red; top row green, white.
Bytes rgbBmp() {
  const Bytes rows = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0,  // bottom: blue, red, padding
                      0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0};
  return bmpFile(dib(2, 2, 24, {}, rows), 0);
}

// 3 x 1, 4 bits with a two-colour palette: 0, 1, 0.
Bytes paletteBmp() { return bmpFile(dib(3, 1, 4, {0x00000000, 0x00FF8000}, {0x01, 0x00, 0, 0}), 8); }

// A 2 x 1 icon of 8 bits with a mask hiding the second pixel.
Bytes maskedIco() {
  Bytes rows = {1, 1, 0, 0};     // colour row: palette 1, 1
  rows.insert(rows.end(), {0x40, 0, 0, 0});  // mask row: second pixel transparent
  return icoFile(dib(2, 2, 8, {0, 0x000000FF}, rows), 2, 1);
}

TEST(ImageDecode, ReadsPixelsTopDownWithTheirColours) {
  struct Case {
    const char* name;
    Bytes file;
    int w, h;
    std::vector<std::uint32_t> pixels;
  } cases[] = {
      {"24-bit bitmap", rgbBmp(), 2, 2, {0xFF00FF00, 0xFFFFFFFF, 0xFF0000FF, 0xFFFF0000}},
      {"4-bit bitmap", paletteBmp(), 3, 1, {0xFF000000, 0xFFFF8000, 0xFF000000}},
      {"masked icon", maskedIco(), 2, 1, {0xFF0000FF, 0x00000000}},
  };
  for (const auto& c : cases) {
    const Image img = decodePicture(c.file.data(), c.file.size());
    EXPECT_EQ(img.width, c.w) << c.name;
    EXPECT_EQ(img.height, c.h) << c.name;
    EXPECT_EQ(img.pixels, c.pixels) << c.name;
  }
}

TEST(ImageDecode, EveryCutOrDamageIsAnInvalidPicture) {
  std::vector<Bytes> bad;
  for (const Bytes& good : {rgbBmp(), paletteBmp(), maskedIco()})
    for (std::size_t n = 0; n < good.size(); ++n) bad.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
  Bytes huge = rgbBmp();
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // width 2^31 - 1
  bad.push_back(huge);
  Bytes badIndex = paletteBmp();
  badIndex.back() = 0;  // still fine: padding
  badIndex[badIndex.size() - 4] = 0x21;  // index 2 of a two-colour palette
  bad.push_back(badIndex);
  Bytes offset = rgbBmp();
  offset[10] = 0xF0;  // pixels past the end
  bad.push_back(offset);
  bad.push_back(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  bad.push_back(Bytes{'G', 'I', 'F', '8', '9', 'a'});
  for (const auto& b : bad) {
    try {
      decodePicture(b.data(), b.size());
      ADD_FAILURE() << "decoded " << b.size() << " bytes";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 481);
    }
  }
}

TEST(Picture, LoaderGivesEmptyPicturesAndReportsMissingFiles) {
  auto a = loadPicture(""), b = loadPicture("");
  EXPECT_NE(a, b);
  EXPECT_EQ(a->image(), nullptr);
  try {
    loadPicture("/nonexistent/zavrin-test.bmp");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 53);
  }
}

}  // namespace
}  // namespace zs::branding
