// ZSHyperLink over the recording shell32 fake: the exact ShellExecuteA call
// of GoUrl and SendMail.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "platform/testing/fake_shell32.h"
#include "shell/hyperlink.h"

namespace zs {
namespace {

using platform::testing::FakeShell32;

TEST(HyperLinkFake, GoUrlAndSendMailLaunchTheirTextWithTheFixedArguments) {
  auto shell = std::make_shared<FakeShell32>();
  platform::Libraries libs;
  libs.shell32 = shell;
  auto link = create<HyperLink>(libs);
  const struct {
    const char* member;
    String argument;
    std::string launched;
    String afterwards;
  } cases[] = {
      {"GoUrl", u"example.com", "example.com", u"example.com"},  // no prefix is added
      {"GoUrl", u"https://x.test/?q=a b&c=$(id)", "https://x.test/?q=a b&c=$(id)",
       u"https://x.test/?q=a b&c=$(id)"},
      {"GoUrl", u"https://\u00e9t\u00e9.test", "https://\xc3\xa9t\xc3\xa9.test",
       u"https://\u00e9t\u00e9.test"},
      {"SendMail", u"ana@example.com", "mailto:ana@example.com", u"ana@example.com"},
      {"SendMail", u"mailto:ana@example.com", "mailto:mailto:ana@example.com",
       u"mailto:ana@example.com"},  // the prefix stands twice
      {"SendMail", u"", "mailto:", u""},
  };
  for (const auto& c : cases) {
    std::vector<Argument> args = {Argument::byReference(Variant(c.argument))};
    EXPECT_TRUE(invoke(*link, c.member, CallKind::Method, args).isEmpty());
    EXPECT_EQ(args[0].value.string(), c.afterwards);
    const auto& call = shell->executeCalls().back();
    EXPECT_EQ(call.file, c.launched) << c.member;
    EXPECT_EQ(call.owner, 0u);
    EXPECT_EQ(call.verb, std::nullopt);
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, "C:\\");
    EXPECT_EQ(call.show, 1);
  }
  EXPECT_EQ(shell->executeCalls().size(), std::size(cases));
}

}  // namespace
}  // namespace zs
