// `zavrin icon`: the PNG it writes for icons the test makes, its command-line
// checks, and no file when there is no icon.
#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "platform/testing/icon_writer.h"
#include "platform/testing/temp_folder.h"

namespace zs::cli {
namespace {

using namespace platform::testing;

struct Png {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // premultiplied ARGB
};

Png readPng(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  Png png;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    png.width = cairo_image_surface_get_width(s);
    png.height = cairo_image_surface_get_height(s);
    for (int y = 0; y < png.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                               y * cairo_image_surface_get_stride(s));
      png.pixels.insert(png.pixels.end(), row, row + png.width);
    }
  }
  cairo_surface_destroy(s);
  return png;
}

TEST(IconCommand, WritesTheIconAsExtractDrawsIt) {
  const platform::testsupport::TempFolder tmp;
  const std::string ico = tmp.path() + "/a.ico";
  const PixelAt red = [](int, int) { return 0xFFFF0000u; };
  const PixelAt halfBlue = [](int x, int) { return x < 16 ? 0xFF0000FFu : 0x000000FFu; };
  const Bytes bytes = icoFile({dibPicture(16, 8, red), dibPicture(32, 32, halfBlue)});
  std::ofstream(ico, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
  const std::string out = tmp.path() + "/out.png";
  const struct {
    std::vector<std::string> line;
    int status;
    int side;
    std::uint32_t left, right;  // pixels at (1, side/2) and (side-2, side/2)
  } cases[] = {
      {{"icon", ico, "-o", out}, 0, 32, 0xFF0000FF, 0xFFC0C0C0},
      {{"icon", ico, "--size", "16", "-o", out}, 0, 16, 0xFFFF0000, 0xFFFF0000},
      {{"icon", "--size", "64", ico, "--index", "1", "-o", out}, 0, 64, 0xFF0000FF, 0xFFC0C0C0},
      {{"icon", ico, "--index", "2", "-o", out}, 1, 0, 0, 0},
      {{"icon", tmp.path() + "/missing.ico", "-o", out}, 1, 0, 0, 0},
      {{"icon", ico, "--size", "20", "-o", out}, 2, 0, 0, 0},
      {{"icon", ico, "--index", "x", "-o", out}, 2, 0, 0, 0},
      {{"icon", ico}, 2, 0, 0, 0},
      {{"icon", ico, "-o"}, 2, 0, 0, 0},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(out);
    std::istringstream in;
    std::ostringstream o, e;
    CommandIo io{in, o, e};
    EXPECT_EQ(runCommandLine(c.line, io), c.status) << e.str();
    EXPECT_EQ(std::filesystem::exists(out), c.status == 0);
    if (c.status != 0) continue;
    const Png png = readPng(out);
    ASSERT_EQ(png.width, c.side);
    ASSERT_EQ(png.height, c.side);
    EXPECT_EQ(png.pixels[std::size_t(c.side / 2) * c.side + 1], c.left);
    EXPECT_EQ(png.pixels[std::size_t(c.side / 2) * c.side + c.side - 2], c.right);
  }
}

}  // namespace
}  // namespace zs::cli
