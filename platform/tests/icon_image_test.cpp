// The Linux icon reader: every image depth, the AND mask and alpha, PNG
// entries, the size choice, .ico files and executables (the Win32 order of
// group icons, resource ids), and malformed data that must give no icon.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/posix/icon_image.h"
#include "platform/testing/icon_writer.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform::posix {
namespace {

using namespace platform::testing;

// Opaque red left half, transparent right half.
std::uint32_t halves(int x, int, int side) { return x < side / 2 ? 0xFFFF0000u : 0x00000000u; }

std::string write(const testsupport::TempFolder& tmp, const std::string& name, const Bytes& bytes) {
  const std::string path = tmp.path() + "/" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(IconImage, EveryDepthDecodesWithItsMaskOrAlpha) {
  for (int bits : {1, 4, 8, 24, 32, 0}) {
    const int side = 20;  // rows that need padding at every depth
    const PixelAt pixel = [side](int x, int y) { return halves(x, y, side); };
    const IconPicture picture = bits ? dibPicture(side, bits, pixel) : pngPicture(side, pixel);
    const auto image = decodeIconImage(picture.data);
    ASSERT_TRUE(image) << bits;
    ASSERT_EQ(image->width, side);
    ASSERT_EQ(image->height, side);
    for (int y : {0, side - 1}) {
      EXPECT_EQ(image->pixels[std::size_t(y) * side + 1], 0xFFFF0000u) << bits;
      EXPECT_EQ(image->pixels[std::size_t(y) * side + side - 1] >> 24, 0u) << bits;
    }
  }
  // A 32-bit image with alpha needs no mask; one without alpha uses it.
  const PixelAt soft = [](int, int) { return 0x800000FFu; };
  const auto alpha = decodeIconImage(dibPicture(4, 32, soft, false).data);
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->pixels[0], 0x800000FFu);
  const PixelAt noAlpha = [](int, int) { return 0x0000FF00u; };
  Bytes opaqueMask = dibPicture(4, 32, noAlpha).data;
  std::fill(opaqueMask.end() - 16, opaqueMask.end(), 0);  // the mask: every pixel opaque
  const auto masked = decodeIconImage(opaqueMask);
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->pixels[0], 0xFF00FF00u);  // alpha 0 everywhere: the mask decides
}

TEST(IconImage, TheClosestSizeThenTheMostColoursIsChosen) {
  const std::vector<IconEntry> entries = {
      {16, 16, 4, 0, 0}, {16, 16, 32, 0, 1}, {32, 32, 8, 0, 2}, {48, 48, 32, 0, 3}, {32, 32, 24, 0, 4}};
  const std::pair<int, std::size_t> cases[] = {{16, 1}, {32, 4}, {24, 1}, {40, 3}, {36, 4}, {48, 3}, {128, 3}};
  for (const auto& [side, chosen] : cases) EXPECT_EQ(chooseIconEntry(entries, side), chosen) << side;
}

TEST(IconImage, ScalingKeepsColourAndTransparency) {
  const PixelAt pixel = [](int x, int y) { return halves(x, y, 16); };
  const auto image = decodeIconImage(dibPicture(16, 32, pixel).data);
  ASSERT_TRUE(image);
  const IconImage big = scaleIcon(*image, 32);
  ASSERT_EQ(big.pixels.size(), 32u * 32u);
  EXPECT_EQ(big.pixels[5 * 32 + 2], 0xFFFF0000u);
  EXPECT_EQ(big.pixels[5 * 32 + 30] >> 24, 0u);
  // The edge is half covered but keeps its colour (no dark fringe).
  EXPECT_EQ(big.pixels[5 * 32 + 16] & 0xFFFFFF, 0xFF0000u);
}

TEST(IconImage, IcoFilesAndExecutablesGiveTheirIcons) {
  const testsupport::TempFolder tmp;
  const PixelAt red = [](int, int) { return 0xFFFF0000u; };
  const PixelAt green = [](int, int) { return 0xFF00FF00u; };
  const PixelAt blue = [](int, int) { return 0xFF0000FFu; };
  const std::string ico = write(tmp, "a.ico", icoFile({dibPicture(16, 8, red), dibPicture(32, 32, blue)}));
  std::vector<ResourceItem> resources;
  for (auto group : {iconResources(7, 10, {dibPicture(32, 24, green)}),
                     iconResources(3, 20, {dibPicture(32, 4, red), pngPicture(16, blue)}),
                     iconResources(0, 30, {dibPicture(32, 32, blue)}, "MAIN")}) {
    resources.insert(resources.end(), group.begin(), group.end());
  }
  const std::string exe = write(tmp, "a.exe", peImageWithResources(resources));
  EXPECT_EQ(countFileIcons(ico), 1u);
  EXPECT_EQ(countFileIcons(exe), 3u);
  EXPECT_EQ(countFileIcons(tmp.path()), 0u);
  EXPECT_EQ(countFileIcons(tmp.path() + "/missing"), 0u);
  const struct {
    std::string file;
    int index, side;
    std::optional<std::uint32_t> colour;
  } cases[] = {
      {ico, 0, 16, 0xFFFF0000u},  {ico, 0, 32, 0xFF0000FFu},  {ico, 0, 48, 0xFF0000FFu},
      {ico, 1, 32, std::nullopt},
      {exe, 0, 32, 0xFF0000FFu},  // the named group comes first
      {exe, 1, 32, 0xFFFF0000u},  // then ids ascending: 3 before 7
      {exe, 1, 16, 0xFF0000FFu},  // its PNG entry
      {exe, 2, 32, 0xFF00FF00u},  {exe, 3, 32, std::nullopt},
      {exe, -7, 32, 0xFF00FF00u}, {exe, -3, 16, 0xFF0000FFu}, {exe, -4, 32, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto icon = loadFileIcon(c.file, c.index, c.side);
    ASSERT_EQ(icon.has_value(), c.colour.has_value()) << c.file << " " << c.index;
    if (!icon) continue;
    EXPECT_EQ(icon->width, c.side);
    EXPECT_EQ(icon->pixels[std::size_t(c.side / 2) * c.side + c.side / 2], *c.colour)
        << c.file << " " << c.index << " " << c.side;
  }
}

TEST(IconImage, MalformedDataGivesNoIcon) {
  const testsupport::TempFolder tmp;
  const PixelAt red = [](int, int) { return 0xFFFF0000u; };
  const Bytes ico = icoFile({dibPicture(16, 8, red), pngPicture(32, red)});
  const Bytes exe = peImageWithResources(iconResources(1, 1, {dibPicture(32, 4, red)}));
  // Every truncation, and every single byte set to 0xFF: no crash.
  for (const Bytes* good : {&ico, &exe}) {
    for (std::size_t size = 0; size < good->size(); size += 3) {
      const std::string path =
          write(tmp, "cut", Bytes(good->begin(), good->begin() + static_cast<std::ptrdiff_t>(size)));
      countFileIcons(path);
      for (int side : {16, 32}) loadFileIcon(path, 0, side);
    }
    for (std::size_t at = 0; at < good->size(); at += 5) {
      Bytes bad = *good;
      bad[at] = 0xFF;
      const std::string path = write(tmp, "bad", bad);
      for (int side : {16, 32}) loadFileIcon(path, 0, side);
    }
  }
  Bytes emptyEntry = ico;
  putLe(emptyEntry, 6 + 8, 0, 4);  // the first image has no bytes
  EXPECT_FALSE(loadIcon(memoryImage(emptyEntry), emptyEntry.size(), 0, 16));
  Bytes huge = dibPicture(16, 8, red).data;
  putLe(huge, 4, 100000, 4);  // width beyond any icon
  const Bytes cases[] = {Bytes{}, Bytes(39, 0), huge, Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0}};
  for (const auto& c : cases) EXPECT_FALSE(decodeIconImage(c));
  EXPECT_FALSE(parseIconDirectory(Bytes{0, 0, 1, 0, 5, 0}, false)) << "entries beyond the data";
}

}  // namespace
}  // namespace zs::platform::posix
