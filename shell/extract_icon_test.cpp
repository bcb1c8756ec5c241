// ZSExtractIcon over the shell32, user32 and gdi32 fakes: the count call,
// which icon is drawn at which size for every size constant, the handles
// destroyed, the silent failures and the untouched arguments.
#include <gtest/gtest.h>

#include <limits>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/testing/fake_gdi32.h"
#include "platform/testing/fake_shell32.h"
#include "platform/testing/fake_user32.h"
#include "shell/extract_icon.h"

namespace zs {
namespace {

using namespace platform::testing;

class ExtractIconFake : public ::testing::Test {
 protected:
  void SetUp() override {
    shell->setIcons("C:\\app.exe", {{0x11, 0x12}, {0x21, 0x22}});
    platform::Libraries libs;
    libs.shell32 = shell;
    libs.user32 = user32;
    libs.gdi32 = gdi32;
    icon = create<ExtractIcon>(libs);
    icon->FileName(u"C:\\app.exe");
  }
  std::shared_ptr<FakeShell32> shell = std::make_shared<FakeShell32>();
  std::shared_ptr<FakeUser32> user32 = std::make_shared<FakeUser32>();
  std::shared_ptr<FakeGdi32> gdi32 = std::make_shared<FakeGdi32>();
  std::shared_ptr<ExtractIcon> icon;
};

TEST_F(ExtractIconFake, CountAsksForIndexMinusOneWithoutOutputs) {
  EXPECT_EQ(icon->Count(), 2);
  const auto& call = shell->extractCalls().back();
  EXPECT_EQ(call.file, "C:\\app.exe");
  EXPECT_EQ(call.index, -1);
  EXPECT_FALSE(call.large || call.small);
  EXPECT_EQ(call.count, 0u);
  icon->FileName(u"");
  EXPECT_EQ(icon->Count(), 0);
}

TEST_F(ExtractIconFake, EverySizeConstantDrawsTheRightVariantAtTheRightSize) {
  for (Long size = -1; size <= 15; ++size) {
    const std::size_t before = user32->draws().size();
    Long index = 2, hdc = -5, left = 3, top = 4;
    std::vector<Argument> args = {Argument::byReference(Variant(index)), Argument::byReference(Variant(size)),
                                  Argument::byReference(Variant(hdc)), Argument::byReference(Variant(left)),
                                  Argument::byReference(Variant(top))};
    EXPECT_TRUE(invoke(*icon, "Extract", CallKind::Method, args).isEmpty());
    const Long expected[] = {2, size, -5, 3, 4};
    for (std::size_t i = 0; i < args.size(); ++i) EXPECT_EQ(args[i].value.lng(), expected[i]);
    const auto& extract = shell->extractCalls().back();
    EXPECT_EQ(extract.index, 1);
    EXPECT_TRUE(extract.large && extract.small);
    EXPECT_EQ(extract.count, 1u);
    // Both handles are destroyed whether or not anything was drawn.
    ASSERT_GE(user32->destroyed().size(), 2u);
    EXPECT_EQ(*(user32->destroyed().end() - 2), 0x21u);
    EXPECT_EQ(user32->destroyed().back(), 0x22u);
    if (size < 0 || size > 14) {
      EXPECT_EQ(user32->draws().size(), before) << size;
      continue;
    }
    ASSERT_EQ(user32->draws().size(), before + 1);
    const auto& draw = user32->draws().back();
    const int side = size == 0 || size == 2 ? 0 : 16 + 8 * size;
    EXPECT_EQ(draw.icon, size == 0 ? 0x22u : 0x21u) << size;
    EXPECT_EQ(draw.width, side);
    EXPECT_EQ(draw.height, side);
    EXPECT_EQ(draw.dc, static_cast<std::uintptr_t>(std::intptr_t{-5}));
    EXPECT_EQ(draw.x, 3);
    EXPECT_EQ(draw.y, 4);
    EXPECT_EQ(draw.step, 0u);
    EXPECT_EQ(draw.brush, FakeGdi32::kStockBase + 1);  // LTGRAY_BRUSH
    EXPECT_EQ(draw.flags, 3u);
  }
  EXPECT_EQ(gdi32->stockAsked(), std::vector<int>(17, 1));
}

TEST_F(ExtractIconFake, MissingIconsDrawNothingVisibleAndTheSmallestIndexOverflows) {
  icon->Extract(3, zv32x32, 1, 0, 0);  // beyond the last icon: a null icon, silently
  EXPECT_EQ(user32->draws().back().icon, 0u);
  icon->FileName(u"C:\\missing.exe");
  icon->Extract(1, zv16x16, 1, 0, 0);
  EXPECT_EQ(user32->draws().back().icon, 0u);
  try {
    icon->Extract(std::numeric_limits<Long>::min(), zv32x32, 1, 0, 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 6);
  }
}

}  // namespace
}  // namespace zs
