// The os-release reader: quoting variants, comments and malformed lines, and
// the fallback from the first file to the second.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/posix/os_release.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform::posix {
namespace {

TEST(OsRelease, QuotingVariants) {
  const auto values = parseOsRelease(
      "# a comment\n"
      "NAME=\"Debian GNU/Linux\"\n"
      "VERSION_ID='12'\n"
      "ID=debian\n"
      "PRETTY_NAME=\"Say \\\"hi\\\" \\$x\"\n"
      "BROKEN=\"no end\n"
      "1BAD=x\n"
      "no equals sign\n"
      "  EMPTY=\r\n");
  EXPECT_EQ(values.at("NAME"), "Debian GNU/Linux");
  EXPECT_EQ(values.at("VERSION_ID"), "12");
  EXPECT_EQ(values.at("ID"), "debian");
  EXPECT_EQ(values.at("PRETTY_NAME"), "Say \"hi\" $x");
  EXPECT_EQ(values.at("EMPTY"), "");
  EXPECT_EQ(values.count("BROKEN"), 0u);
  EXPECT_EQ(values.count("1BAD"), 0u);
}

TEST(OsRelease, FirstReadableFileWins) {
  testsupport::TempFolder tmp;
  std::ofstream(tmp.path() + "/second") << "VERSION_ID=\"22.04\"\n";
  const auto values = readOsRelease({tmp.path() + "/missing", tmp.path() + "/second"});
  EXPECT_EQ(values.at("VERSION_ID"), "22.04");
  EXPECT_TRUE(readOsRelease({tmp.path() + "/missing"}).empty());
}

}  // namespace
}  // namespace zs::platform::posix
