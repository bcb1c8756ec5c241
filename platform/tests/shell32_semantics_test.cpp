// shell32 and the directory calls of kernel32 on Linux: the XDG folder table
// over a fixture home, user-dirs.dirs, item lists, and the temporary path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/kernel32_posix.h"
#include "platform/posix/shell32_posix.h"
#include "platform/testing/fake_shell32.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

posix::EnvironmentReader environment(std::map<std::string, std::string> vars) {
  return [vars](const char* name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

// The path the backend gives for a folder number, through an item list.
std::string folderPath(Shell32& shell, Ole32& ole, int csidl) {
  ITEMIDLIST* list = nullptr;
  if (shell.SHGetSpecialFolderLocation(0, csidl, &list) != kSOk) {
    EXPECT_EQ(list, nullptr);
    return "<fails>";
  }
  char path[kMaxPath];
  const BOOL ok = shell.SHGetPathFromIDListA(list, path);
  ole.CoTaskMemFree(list);
  return ok ? std::string(path) : "<no path>";
}

TEST(UserFolders, TableOverAFixtureHome) {
  testsupport::TempFolder tmp;
  const std::string home = tmp.path() + "/home";
  std::filesystem::create_directories(home + "/cfg");
  std::ofstream(home + "/cfg/user-dirs.dirs")
      << "# written by xdg-user-dirs-update\n"
         "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
         "XDG_DOCUMENTS_DIR=\"/data/docs/\"\n"
         "XDG_PICTURES_DIR=\"relative/ignored\"\n"
         "XDG_TEMPLATES_DIR=\"$HOME/Mod\\\"eles\"\n";
  posix::Shell32Posix shell(environment({{"HOME", home},
                                         {"XDG_CONFIG_HOME", home + "/cfg"},
                                         {"XDG_DATA_HOME", "not/absolute"}}));
  posix::Ole32Posix ole;
  const std::pair<int, std::string> cases[] = {
      {16, home + "/Bureau"},
      {5, "/data/docs"},
      {39, home},  // an entry that is not absolute is skipped: the home folder
      {21, home + "/Mod\"eles"},
      {26, home + "/cfg"},
      {28, home + "/.local/share"},  // a relative XDG_DATA_HOME is ignored
      {2, home + "/.local/share/applications"},
      {7, home + "/cfg/autostart"},
      {32, home + "/.cache"},
      {40, home},
      {23, "/usr/share/applications"},
      {4, "<fails>"},
      {36, "<fails>"},
      {9999, "<fails>"},
  };
  for (const auto& [csidl, path] : cases) EXPECT_EQ(folderPath(shell, ole, csidl), path) << csidl;
}

TEST(UserFolders, UnconfiguredDirectoriesAndLongPaths) {
  const std::string longHome = "/" + std::string(300, 'h');
  posix::Shell32Posix shell(environment({{"HOME", "/home/ana"}}));
  posix::Ole32Posix ole;
  EXPECT_EQ(folderPath(shell, ole, 16), "/home/ana/Desktop");
  EXPECT_EQ(folderPath(shell, ole, 5), "/home/ana");
  posix::Shell32Posix deep(environment({{"HOME", longHome}}));
  EXPECT_EQ(folderPath(deep, ole, 40), "<no path>") << "longer than the Win32 path buffer";
  char path[kMaxPath] = "x";
  EXPECT_FALSE(shell.SHGetPathFromIDListA(nullptr, path));
  EXPECT_STREQ(path, "");
}

TEST(Kernel32PosixDirectories, TempPathHasExactlyOneTrailingSlash) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, "/tmp/"}, {"/var/tmp", "/var/tmp/"}, {"/scratch///", "/scratch/"},
      {"relative", "/tmp/"},   {"", "/tmp/"},             {"/", "/"}};
  for (const auto& [tmpdir, expected] : cases) {
    posix::SystemRoots roots;
    std::map<std::string, std::string> vars;
    if (tmpdir) vars["TMPDIR"] = *tmpdir;
    roots.environment = environment(vars);
    posix::Kernel32Posix api(roots);
    char small[64] = "x";  // offered one byte too few
    EXPECT_EQ(api.GetTempPathA(static_cast<DWORD>(expected.size()), small), expected.size() + 1);
    EXPECT_STREQ(small, "x");
    char buffer[64];
    EXPECT_EQ(api.GetTempPathA(sizeof buffer, buffer), expected.size());
    EXPECT_EQ(std::string(buffer), expected);
  }
  posix::Kernel32Posix api;
  char windows[8] = "x";
  EXPECT_EQ(api.GetWindowsDirectoryA(windows, sizeof windows), 0u);
  EXPECT_EQ(api.GetSystemDirectoryA(windows, sizeof windows), 0u);
}

TEST(Kernel32PosixDirectories, CurrentDirectoryRoundTrip) {
  testsupport::TempFolder tmp;
  const auto before = std::filesystem::current_path();
  posix::Kernel32Posix api;
  ASSERT_TRUE(api.SetCurrentDirectoryA(tmp.path().c_str()));
  char buffer[4096];
  const DWORD n = api.GetCurrentDirectoryA(sizeof buffer, buffer);
  std::filesystem::current_path(before);
  EXPECT_EQ(std::string(buffer, n), std::filesystem::canonical(tmp.path()).string());
  EXPECT_FALSE(api.SetCurrentDirectoryA((tmp.path() + "/missing").c_str()));
}

TEST(FakeShell32, CountsOutstandingLists) {
  testing::FakeShell32 fake;
  fake.setFolder(16, "C:\\Desktop");
  EXPECT_EQ(folderPath(fake, fake, 16), "C:\\Desktop");
  ITEMIDLIST* list = nullptr;
  fake.SHGetSpecialFolderLocation(0, 16, &list);
  EXPECT_EQ(fake.outstanding(), 1u);
  fake.CoTaskMemFree(list);
  EXPECT_EQ(fake.outstanding(), 0u);
}

}  // namespace
}  // namespace zs::platform
