#include <gtest/gtest.h>

#include "platform/posix/name_fold.h"

namespace zs::platform::posix {
namespace {

TEST(NameFold, FoldsLettersAndKeepsEverythingElse) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"Software\\Zs-1_X", "software\\zs-1_x"},
      {"\xC3\x84\xC3\x96\xC3\x9C", "\xC3\xA4\xC3\xB6\xC3\xBC"},  // Ä Ö Ü
      {"\xC3\x97", "\xC3\x97"},                                  // × is no letter
      {"\xC5\x81\xC5\xB8", "\xC5\x82\xC3\xBF"},                  // Ł Ÿ
      {"\xCE\xA3\xD0\x96\xD0\x81", "\xCF\x83\xD0\xB6\xD1\x91"},  // Σ Ж Ё
      {"\xFF\xC3", "\xFF\xC3"},                                  // not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(foldName(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace zs::platform::posix
