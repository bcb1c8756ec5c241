// ZSHelp over the recording user32 and HTML Help fakes: what reaches the help
// engines, which commands are held back, and the by-reference write-backs.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "platform/testing/fake_user32.h"
#include "shell/help.h"

namespace zs {
namespace {

using platform::testing::FakeHtmlHelp;
using platform::testing::FakeUser32;

class HelpFake : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Libraries libs;
    libs.user32 = user32;
    libs.hhctrl = hhctrl;
    help = create<Help>(libs);
  }
  std::shared_ptr<FakeUser32> user32 = std::make_shared<FakeUser32>();
  std::shared_ptr<FakeHtmlHelp> hhctrl = std::make_shared<FakeHtmlHelp>();
  std::shared_ptr<Help> help;
};

TEST_F(HelpFake, WinHelpCommandsGoOutUnchangedWithZeroDataUnlessTheyNeedAPointer) {
  const struct {
    Long command;
    bool sent;
  } cases[] = {
      {zvHELP_CONTEXT, true},     {zvHELP_QUIT, true},      {zvHELP_INDEX, true},
      {zvHELP_HELPONHELP, true},  {zvHELP_SETINDEX, true},  {zvHELP_CONTEXTPOPUP, true},
      {zvHELP_FORCEFILE, true},   {zvHELP_KEY, true},       {zvHELP_COMMAND, true},
      {zvHELP_PARTIALKEY, true},  {zvHELP_MULTIKEY, false}, {zvHELP_SETWINPOS, false},
      {10, false},                {12, false},              {9999, true},
  };
  for (const auto& c : cases) {
    const std::size_t before = user32->helpCalls().size();
    Long hwnd = -2, command = c.command;
    String file = u"C:\\app.hlp";
    EXPECT_TRUE(help->RunWinHelp(hwnd, file, command).isEmpty());
    ASSERT_EQ(user32->helpCalls().size(), before + (c.sent ? 1 : 0)) << c.command;
    EXPECT_EQ(command, c.command);
    EXPECT_EQ(hwnd, -2);
    if (!c.sent) continue;
    const auto& call = user32->helpCalls().back();
    EXPECT_EQ(call.command, static_cast<platform::UINT>(c.command));
    EXPECT_EQ(call.data, 0u);
    EXPECT_EQ(call.file, "C:\\app.hlp");
    EXPECT_EQ(call.window, static_cast<platform::HWND>(std::intptr_t{-2}));  // widened with its sign
  }
  EXPECT_TRUE(hhctrl->calls().empty());
}

TEST_F(HelpFake, HtmlHelpCommandsGoOutUnchangedWithZeroDataUnlessTheyNeedAPointer) {
  const struct {
    Long command;
    bool sent;
  } cases[] = {
      {zvHH_DISPLAY_TOPIC, true},        {zvHH_HELP_CONTEXT, true},
      {zvHH_CLOSE_ALL, true},            {zvHH_SET_WIN_TYPE, false},
      {zvHH_GET_WIN_TYPE, false},        {zvHH_GET_WIN_HANDLE, false},
      {zvHH_DISPLAY_TEXT_POPUP, false},  {zvHH_TP_HELP_CONTEXTMENU, false},
      {zvHH_TP_HELP_WM_HELP, false},     {1, true},
  };
  for (const auto& c : cases) {
    const std::size_t before = hhctrl->calls().size();
    Long hwnd = 77, command = c.command;
    String file = u"guide.chm::/intro.htm";
    help->RunHtmlHelp(hwnd, file, command);
    ASSERT_EQ(hhctrl->calls().size(), before + (c.sent ? 1 : 0)) << c.command;
    if (!c.sent) continue;
    EXPECT_EQ(hhctrl->calls().back().command, static_cast<platform::UINT>(c.command));
    EXPECT_EQ(hhctrl->calls().back().data, 0u);
    EXPECT_EQ(hhctrl->calls().back().file, "guide.chm::/intro.htm");
    EXPECT_EQ(hhctrl->calls().back().window, 77u);
  }
  EXPECT_TRUE(user32->helpCalls().empty());
}

TEST_F(HelpFake, FileNamesComeBackThroughTheCodePageAndOtherArgumentsStay) {
  // On Linux the code page is UTF-8: every character survives the round trip.
  const String name = u"Hilfe \u00fcber \u65e5\u672c.chm";
  for (const char* member : {"RunHtmlHelp", "RunWinHelp"}) {
    std::vector<Argument> args = {Argument::byReference(Variant(Long{5})),
                                  Argument::byReference(Variant(name)),
                                  Argument::byReference(Variant(Long{zvHELP_MULTIKEY}))};
    EXPECT_TRUE(invoke(*help, member, CallKind::Method, args).isEmpty());
    EXPECT_EQ(args[0].value.lng(), 5);
    EXPECT_EQ(args[1].value.string(), name);
    EXPECT_EQ(args[2].value.lng(), zvHELP_MULTIKEY);
  }
}

}  // namespace
}  // namespace zs
