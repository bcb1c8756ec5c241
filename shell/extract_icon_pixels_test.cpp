// ZSExtractIcon drawing real pixels on Linux: icons written by the test (an
// .ico whose 16- and 32-pixel images differ in colour, a 32-bit alpha image,
// a PNG entry, an executable with two icons) drawn onto a cairo-backed device
// context and read back with GetPixel.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/posix/gdi32_posix.h"
#include "platform/posix/shell32_posix.h"
#include "platform/posix/user32_posix.h"
#include "platform/testing/icon_writer.h"
#include "platform/testing/temp_folder.h"
#include "shell/extract_icon.h"

namespace zs {
namespace {

using namespace platform;
using namespace platform::testing;

constexpr COLORREF kGrey = 0xC0C0C0, kBlack = 0, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

class IconPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    libs.shell32 = std::make_shared<posix::Shell32Posix>();
    libs.user32 = std::make_shared<posix::User32Posix>();
    libs.gdi32 = gdi;
    dc = gdi->CreateCompatibleDC(0);
    bitmap = gdi->CreateCompatibleBitmap(dc, 140, 140);
    gdi->SelectObject(dc, bitmap);
    icon = create<ExtractIcon>(libs);

    const PixelAt red = [](int, int) { return 0xFFFF0000u; };
    // Blue with a transparent right half, in 32-bit alpha.
    const PixelAt halfBlue = [](int x, int) { return x < 16 ? 0xFF0000FFu : 0x000000FFu; };
    const PixelAt green = [](int, int) { return 0xFF00FF00u; };
    ico = write("two.ico", icoFile({dibPicture(16, 4, red), dibPicture(32, 32, halfBlue)}));
    std::vector<ResourceItem> resources = iconResources(1, 1, {dibPicture(32, 24, red)});
    const auto second = iconResources(2, 5, {pngPicture(48, green), dibPicture(16, 8, red)});
    resources.insert(resources.end(), second.begin(), second.end());
    exe = write("two.exe", peImageWithResources(resources));
  }
  void TearDown() override {
    gdi->DeleteDC(dc);
    gdi->DeleteObject(bitmap);
  }

  std::string write(const std::string& name, const Bytes& bytes) {
    const std::string path = tmp.path() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  COLORREF at(int x, int y) { return gdi->GetPixel(dc, x, y); }
  // A fresh black bitmap in the device context.
  void clear() {
    const HBITMAP fresh = gdi->CreateCompatibleBitmap(dc, 140, 140);
    EXPECT_EQ(gdi->SelectObject(dc, fresh), bitmap);
    EXPECT_EQ(gdi->DeleteObject(bitmap), 1);
    bitmap = fresh;
  }
  void extract(const std::string& file, Long index, Long size, Long left = 0, Long top = 0) {
    icon->FileName(String(file.begin(), file.end()));
    icon->Extract(index, size, static_cast<Long>(dc), left, top);
  }

  testsupport::TempFolder tmp;
  std::shared_ptr<posix::Gdi32Posix> gdi = std::make_shared<posix::Gdi32Posix>();
  Libraries libs;
  HDC dc = 0;
  HBITMAP bitmap = 0;
  std::shared_ptr<ExtractIcon> icon;
  std::string ico, exe;
};

TEST_F(IconPixels, TheSmallAndLargeImagesAreTheFilesOwn) {
  extract(ico, 1, zv16x16);
  EXPECT_EQ(at(0, 0), kRed);
  EXPECT_EQ(at(15, 15), kRed);
  EXPECT_EQ(at(16, 0), kBlack);  // the small icon's own size: nothing beyond it
  extract(ico, 1, zv32x32, 40, 0);
  EXPECT_EQ(at(40, 5), kBlue);
  EXPECT_EQ(at(40 + 30, 5), kGrey);  // transparent: the light-grey square shows
  EXPECT_EQ(at(40 + 32, 5), kBlack);
}

TEST_F(IconPixels, LargerSizesScaleTheLargeImageOverAGreySquare) {
  extract(ico, 1, zv120x120, 10, 10);
  EXPECT_EQ(at(10 + 5, 10 + 60), kBlue);
  EXPECT_EQ(at(10 + 115, 10 + 60), kGrey);
  EXPECT_EQ(at(10 + 119, 10 + 119), kGrey);
  EXPECT_EQ(at(10 + 120, 10 + 60), kBlack);
  EXPECT_EQ(at(9, 9), kBlack);
  extract(ico, 1, zv24x24);
  EXPECT_EQ(at(2, 2), kBlue);
  EXPECT_EQ(at(22, 2), kGrey);
  EXPECT_EQ(at(24, 2), kBlack);
}

TEST_F(IconPixels, ExecutablesCountAndDrawEachIcon) {
  icon->FileName(String(exe.begin(), exe.end()));
  EXPECT_EQ(icon->Count(), 2);
  extract(exe, 2, zv32x32);
  EXPECT_EQ(at(16, 16), kGreen);  // the 48-pixel PNG, scaled to 32
  EXPECT_EQ(at(32, 16), kBlack);
  extract(exe, 2, zv16x16, 50, 50);
  EXPECT_EQ(at(50 + 8, 50 + 8), kRed);  // its own 16-pixel image
}

TEST_F(IconPixels, FailuresDrawNothing) {
  const std::string text = write("notes.txt", Bytes{'h', 'i'});
  const struct {
    std::string file;
    Long index, size;
  } cases[] = {
      {ico, 2, zv32x32}, {exe, 3, zv32x32}, {exe, -5, zv32x32}, {ico, 0, zv32x32},
      {text, 1, zv32x32}, {tmp.path() + "/missing.exe", 1, zv32x32}, {ico, 1, 15}, {ico, 1, -1},
  };
  for (const auto& c : cases) {
    clear();
    extract(c.file, c.index, c.size);
    EXPECT_EQ(at(0, 0), kBlack) << c.file << " " << c.index << " " << c.size;
    EXPECT_EQ(at(8, 8), kBlack);
  }
  // Index 0 asks for icon number -1, which Win32 reads as the resource id 1.
  extract(exe, 0, zv32x32);
  EXPECT_EQ(at(8, 8), kRed);
  EXPECT_EQ(at(-1, 0), kClrInvalid);
  EXPECT_EQ(at(140, 0), kClrInvalid);
}

}  // namespace
}  // namespace zs
