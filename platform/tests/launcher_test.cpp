// The Linux launcher and what starts programs through it (ShellExecuteA, the
// help viewers, the folder-browser tools), against stub programs on PATH that
// record how they were started.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/folder_picker.h"
#include "platform/posix/help_viewer.h"
#include "platform/posix/launcher.h"
#include "platform/posix/open_target.h"
#include "platform/posix/shell32_posix.h"
#include "platform/posix/user32_posix.h"
#include "platform/tests/stub_tools.h"

namespace zs::platform::posix {
namespace {

using testsupport::ScopedVariable;
using testsupport::StubTools;

// Text that a shell would act on, an option look-alike inside, non-ASCII.
const std::string kHostile = "a b;$(touch /tmp/zs-pwned)`id`|*?'\"\n\xe2\x82\xac --x";

TEST(Launcher, StartsWithAnArgvInSlashWithNoInheritedDescriptorAndLeavesNoChild) {
  StubTools stubs({"xdg-open"});
  const std::string marker = stubs.folder() + "/marker";
  const int leaked = ::open(marker.c_str(), O_CREAT | O_RDWR, 0600);  // no O_CLOEXEC on purpose
  ASSERT_GE(leaked, 0);
  const Started started = startDetached({"xdg-open", kHostile, "-", ""});
  ::close(leaked);
  EXPECT_EQ(started.error, 0);
  EXPECT_TRUE(started.process);
  // The intermediate is reaped already and the program is not this process's child.
  int status = 0;
  EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  const auto runs = stubs.runs("xdg-open");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].args, (std::vector<std::string>{kHostile, "-", ""}));
  EXPECT_EQ(runs[0].cwd, "/");
  EXPECT_EQ(runs[0].descriptors.find(marker), std::string::npos) << runs[0].descriptors;
  EXPECT_FALSE(std::filesystem::exists("/tmp/zs-pwned"));
}

TEST(Launcher, ReportsAMissingProgramAndBoundsWhatItReads) {
  StubTools stubs({});
  EXPECT_EQ(startDetached({"zs-no-such-program"}).error, ENOENT);
  EXPECT_EQ(runToEnd({"zs-no-such-program"}, 10).error, ENOENT);
  EXPECT_NE(startDetached({}).error, 0);
  const Finished big = runToEnd({"head", "-c", "100000", "/dev/zero"}, 10);
  EXPECT_EQ(big.error, 0);
  EXPECT_EQ(big.exitStatus, 0);  // read to the end: the program never blocked
  EXPECT_EQ(big.output.size(), 10u);
  EXPECT_EQ(runToEnd({"false"}, 10).exitStatus, 1);
  EXPECT_EQ(runToEnd({"sh", "-c", "kill -TERM $$"}, 10).exitStatus, -1);  // ended by a signal
}

TEST(Launcher, EndsTheProgramsItWasAskedToEnd) {
  Started started = startDetached({"sleep", "60"});
  ASSERT_EQ(started.error, 0);
  ASSERT_TRUE(started.process);
  const UniqueFd watch(::fcntl(started.process.get(), F_DUPFD_CLOEXEC, 0));
  StartedPrograms programs;
  programs.add(std::move(started.process));
  EXPECT_EQ(programs.size(), 1u);
  programs.endAll();
  EXPECT_EQ(programs.size(), 0u);
  pollfd ended{watch.get(), POLLIN, 0};
  EXPECT_EQ(::poll(&ended, 1, 10000), 1) << "the program did not end";
}

TEST(OpenTarget, ChoosesTheDesktopToolAndKeepsTheTextOneArgument) {
  StubTools stubs({});
  const std::string file = stubs.folder() + "/r\xc3\xa9sum\xc3\xa9 #1%.pdf";
  std::ofstream(file) << "x";
  const std::string encodedFolder = fileUri(stubs.folder()).substr(7);
  using Argv = std::vector<std::string>;
  const struct {
    std::string target;
    std::optional<Argv> command;
  } cases[] = {
      {"mailto:ana@example.com?subject=a b", Argv{"xdg-email", "mailto:ana@example.com?subject=a b"}},
      {"MAILTO:x", Argv{"xdg-email", "MAILTO:x"}},
      {"https://example.com/?q=$(id)", Argv{"xdg-open", "https://example.com/?q=$(id)"}},
      {"x-app+1.2:thing", Argv{"xdg-open", "x-app+1.2:thing"}},
      {file, Argv{"xdg-open", "file://" + encodedFolder + "/r%C3%A9sum%C3%A9%20%231%25.pdf"}},
      {"www.example.com", Argv{"xdg-open", "http://www.example.com"}},
      {"FTP.example.com", Argv{"xdg-open", "ftp://FTP.example.com"}},
      {"example.com", std::nullopt},  // the Windows shell guesses nothing either
      {"C:\\missing.txt", std::nullopt},
      {"c:thing", std::nullopt},      // one letter is a drive, not a scheme
      {"-rf", std::nullopt},          // never an option
      {"--help=www.x", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(openCommand(c.target), c.command) << c.target;
}

TEST(ShellExecutePosix, HandsTheTextToTheDesktopToolOrFails) {
  StubTools stubs({"xdg-open", "xdg-email"});
  Shell32Posix shell;
  const struct {
    const char* verb;
    std::string file;
    HINSTANCE result;
    const char* tool;
    std::string argument;
  } cases[] = {
      {nullptr, "https://example.com/" + kHostile, kSeStarted, "xdg-open", "https://example.com/" + kHostile},
      {"open", "mailto:-x@example.com", kSeStarted, "xdg-email", "mailto:-x@example.com"},
      {"", "www.example.com", kSeStarted, "xdg-open", "http://www.example.com"},
      {nullptr, "-x", kSeErrFileNotFound, nullptr, ""},
      {nullptr, "no-such-host", kSeErrFileNotFound, nullptr, ""},
      {"print", "https://example.com", kSeErrNoAssociation, nullptr, ""},
  };
  std::size_t expectedRuns = 0;
  std::map<std::string, std::size_t> perTool;
  for (const auto& c : cases) {
    EXPECT_EQ(shell.ShellExecuteA(0, c.verb, c.file.c_str(), "--param", "C:\\", kSwShowNormal), c.result)
        << c.file;
    if (!c.tool) continue;
    ++expectedRuns;
    const auto runs = stubs.runs(c.tool, ++perTool[c.tool]);
    ASSERT_FALSE(runs.empty());
    bool seen = false;
    for (const auto& r : runs) seen |= r.args == std::vector<std::string>{c.argument};
    EXPECT_TRUE(seen) << c.argument;
  }
  EXPECT_EQ(stubs.allRuns(), expectedRuns);
  EXPECT_FALSE(std::filesystem::exists("/tmp/zs-pwned"));
  // No desktop tool at all.
  const ScopedVariable empty("PATH", stubs.folder() + "/empty");
  EXPECT_EQ(shell.ShellExecuteA(0, nullptr, "https://example.com", nullptr, nullptr, 1),
            kSeErrNoAssociation);
}

TEST(HelpViewersPosix, DisplayCommandsOpenTheFileAndOthersDoNothing) {
  StubTools stubs({"xdg-open"});
  const std::string file = stubs.folder() + "/guide.chm";
  std::ofstream(file) << "x";
  const std::string uri = fileUri(file);
  EXPECT_EQ(helpFileOf("a.chm::/topic.htm>main"), "a.chm");
  EXPECT_EQ(helpFileOf("a.hlp>second"), "a.hlp");
  User32Posix user32;
  HtmlHelpPosix hhctrl;
  const struct {
    bool html;
    UINT command;
    std::string reference;
    bool opens;
  } cases[] = {
      {true, kHhDisplayTopic, file + "::/intro.htm>main", true},
      {true, kHhHelpContext, file, true},
      {true, 4 /* HH_SET_WIN_TYPE */, file, false},
      {true, kHhDisplayTopic, file + ".missing", false},
      {true, kHhDisplayTopic, "https://example.com/help", false},  // only files
      {false, kHelpContents, file + ">second", true},
      {false, kHelpKey, file, true},
      {false, 5 /* HELP_SETCONTENTS */, file, false},
  };
  std::size_t opened = 0;
  for (const auto& c : cases) {
    const bool result = c.html ? hhctrl.HtmlHelpA(0, c.reference.c_str(), c.command, 0) != 0
                               : user32.WinHelpA(0, c.reference.c_str(), c.command, 0) != 0;
    EXPECT_EQ(result, c.opens) << c.reference << " " << c.command;
    opened += c.opens;
  }
  const auto runs = stubs.runs("xdg-open", opened);
  ASSERT_EQ(runs.size(), opened);
  for (const auto& r : runs) EXPECT_EQ(r.args, std::vector<std::string>{uri});
  EXPECT_EQ(hhctrl.HtmlHelpA(0, nullptr, kHhCloseAll, 0), 0u);
  EXPECT_EQ(user32.WinHelpA(0, file.c_str(), kHelpQuit, 0), 1);
}

TEST(FolderPickerPosix, AsksZenityThenKdialogWithTheTitleAsOneArgument) {
  const std::string title = "-" + kHostile;
  const ScopedVariable answer("ZS_STUB_ANSWER", std::string("/home/ana/Pictures"));
  {
    StubTools stubs({"zenity", "kdialog"});
    EXPECT_EQ(pickWithDialogTool("/home/ana", title), "/home/ana/Pictures");
    const auto runs = stubs.runs("zenity");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].args, (std::vector<std::string>{"--file-selection", "--directory",
                                                      "--title=" + title, "--filename=/home/ana/"}));
    EXPECT_EQ(stubs.runs("kdialog", 0).size(), 0u);
  }
  {
    StubTools stubs({"kdialog"});  // no zenity
    EXPECT_EQ(pickWithDialogTool("relative", title), "/home/ana/Pictures");
    const auto runs = stubs.runs("kdialog");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].args,
              (std::vector<std::string>{"--title=" + title, "--getexistingdirectory", "/"}));
  }
  {
    StubTools stubs({});
    EXPECT_EQ(pickWithDialogTool("/", "t"), std::nullopt);  // no tool: nothing picked
  }
}

TEST(FolderPickerPosix, CancelAndOddAnswersPickNothing) {
  StubTools stubs({"zenity", "kdialog"});
  const struct {
    std::optional<std::string> answer;
    const char* status;
    std::optional<std::string> picked;
  } cases[] = {
      {std::string("/srv/data"), "0", "/srv/data"},
      {std::string("/srv/data"), "1", std::nullopt},  // cancel
      {std::nullopt, "0", std::nullopt},
      {std::string("relative/path"), "0", std::nullopt},
      {std::string("/a\n/b"), "0", std::nullopt},
      {std::string("/x"), "255", std::nullopt},  // the tool failed: kdialog is not tried
  };
  for (const auto& c : cases) {
    const ScopedVariable answer("ZS_STUB_ANSWER", c.answer);
    const ScopedVariable status("ZS_STUB_STATUS", std::string(c.status));
    EXPECT_EQ(pickWithDialogTool("/", "t"), c.picked) << c.answer.value_or("(none)") << c.status;
  }
  EXPECT_EQ(stubs.runs("kdialog", 0).size(), 0u);
}

TEST(FolderPickerPosix, WithoutASessionBusTheDialogToolAnswers) {
  StubTools stubs({"zenity"});
  const ScopedVariable answer("ZS_STUB_ANSWER", std::string("/picked"));
  for (const std::optional<std::string>& bus :
       {std::optional<std::string>("unix:path=" + stubs.folder() + "/no-bus"),
        std::optional<std::string>()}) {
    const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", bus);
    EXPECT_EQ(pickFolder("/", "t"), "/picked");
  }
}

TEST(FolderBrowsePosix, BrowsesFromTheRootFolderAndNamesThePick) {
  std::vector<std::pair<std::string, std::string>> asked;
  std::optional<std::string> answer;
  Shell32Posix shell(
      [](const char* name) -> std::optional<std::string> {
        if (std::string_view(name) == "HOME") return "/home/ana";
        return std::nullopt;
      },
      [&](const std::string& start, const std::string& title) {
        asked.emplace_back(start, title);
        return answer;
      });
  Ole32Posix ole32;
  ITEMIDLIST* root = nullptr;
  ASSERT_EQ(shell.SHGetFolderLocation(1, 40 /* profile */, 0, 0, &root), kSOk);
  ITEMIDLIST* refused = nullptr;
  EXPECT_EQ(shell.SHGetFolderLocation(1, 40, 0, 7, &refused), kEInvalidArg);
  EXPECT_EQ(refused, nullptr);
  const struct {
    std::optional<std::string> picked;
    const ITEMIDLIST* root;
    std::string start, display;
  } cases[] = {
      {std::string("/home/ana/Music/"), root, "/home/ana", "Music"},
      {std::string("/"), nullptr, "/home/ana", "/"},
      {std::string("/x/") + std::string(300, 'n'), root, "/home/ana", std::string(259, 'n')},
      {std::nullopt, root, "/home/ana", "unchanged"},
      {std::string("relative"), root, "/home/ana", "unchanged"},
  };
  for (const auto& c : cases) {
    answer = c.picked;
    std::string display = "unchanged";
    display.resize(kMaxPath, '\0');
    BROWSEINFOA request{};
    request.pidlRoot = c.root;
    request.pszDisplayName = display.data();
    request.lpszTitle = "Choose";
    ITEMIDLIST* picked = shell.SHBrowseForFolderA(&request);
    EXPECT_EQ(asked.back(), std::make_pair(c.start, std::string("Choose")));
    EXPECT_EQ(std::string(display.c_str()), c.display);
    EXPECT_EQ(picked != nullptr, c.display != "unchanged");
    char path[kMaxPath];
    if (picked && c.picked->size() < kMaxPath) {
      EXPECT_EQ(shell.SHGetPathFromIDListA(picked, path), 1);
      EXPECT_EQ(std::string(path), *c.picked);
    }
    ole32.CoTaskMemFree(picked);
  }
  ole32.CoTaskMemFree(root);
  EXPECT_EQ(shell.SHBrowseForFolderA(nullptr), nullptr);
}

}  // namespace
}  // namespace zs::platform::posix
