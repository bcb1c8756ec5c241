// `zavrin open` and `zavrin mail` against stub desktop programs on PATH.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/commands.h"
#include "platform/tests/stub_tools.h"

namespace zs::cli {
namespace {

using platform::testsupport::StubTools;

TEST(OpenCommand, HandsTheArgumentToTheDesktopProgramAsOneElement) {
  StubTools stubs({"xdg-open", "xdg-email"});
  const struct {
    std::vector<std::string> line;
    int status;
    const char* tool;
    std::string argument;
  } cases[] = {
      {{"open", "https://example.com/a b?$(id)"}, 0, "xdg-open", "https://example.com/a b?$(id)"},
      {{"mail", "ana@example.com"}, 0, "xdg-email", "mailto:ana@example.com"},
      {{"mail", "-x@example.com"}, 0, "xdg-email", "mailto:-x@example.com"},
      {{"open", "-x"}, 1, nullptr, ""},
      {{"open", "no-such-thing"}, 1, nullptr, ""},
      {{"open"}, 2, nullptr, ""},
      {{"mail", "a", "b"}, 2, nullptr, ""},
  };
  std::size_t started = 0;
  std::map<std::string, std::size_t> perTool;
  for (const auto& c : cases) {
    std::istringstream in;
    std::ostringstream out, err;
    CommandIo io{in, out, err};
    EXPECT_EQ(runCommandLine(c.line, io), c.status) << c.line[0] << " " << err.str();
    if (c.status == 1) {
      EXPECT_NE(err.str().find("cannot open"), std::string::npos);
    }
    if (!c.tool) continue;
    ++started;
    bool seen = false;
    for (const auto& r : stubs.runs(c.tool, ++perTool[c.tool])) seen |= r.args == std::vector<std::string>{c.argument};
    EXPECT_TRUE(seen) << c.argument;
  }
  EXPECT_EQ(stubs.allRuns(), started);
}

}  // namespace
}  // namespace zs::cli
