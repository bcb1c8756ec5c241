#include <gtest/gtest.h>

#include "platform/ansi.h"

namespace zs::platform {
namespace {

TEST(Ansi, LinuxCodePageIsUtf8BothWays) {
  struct Case { std::u16string wide; std::string narrow; };
  const Case cases[] = {
      {u"", ""},
      {u"abc", "abc"},
      {u"Gr\u00FC\u00DFe", "Gr\xC3\xBC\xC3\x9F" "e"},
      {u"\u20AC", "\xE2\x82\xAC"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toAnsi(c.wide), c.narrow);
    EXPECT_EQ(fromAnsi(c.narrow), c.wide);
  }
  // Bytes that are not UTF-8 never fail; they become the replacement character.
  EXPECT_EQ(fromAnsi("\xFF"), u"\uFFFD");
}

}  // namespace
}  // namespace zs::platform
