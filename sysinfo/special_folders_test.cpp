// ZSSpecialFolders over the in-memory kernel32, shell32 and advapi32: the
// decision table, buffer edges, the registry fallback and freed item lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/posix/advapi32_posix.h"
#include "platform/testing/fake_advapi32.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/fake_shell32.h"
#include "sysinfo/special_folders.h"

namespace zs {
namespace {

using namespace platform;
using platform::testing::FakeAdvapi32;
using platform::testing::FakeKernel32;
using platform::testing::FakeShell32;

class FoldersFake : public ::testing::Test {
 protected:
  void SetUp() override {
    kernel->setDirectories("C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32", "C:\\TEMP\\");
    shell->setFolder(zvaDesktop, "C:\\Users\\ana\\Desktop");
    shell->setFolder(zvaProgramFiles, "C:\\Program Files (shell)");
    shell->setVirtualFolder(zvaPrinters);
    Libraries libs;
    libs.kernel32 = kernel;
    libs.shell32 = shell;
    libs.ole32 = shell;
    libs.advapi32 = registry;
    folders = create<Folders>(libs);
  }
  void TearDown() override { EXPECT_EQ(shell->outstanding(), 0u) << "an item list was not freed"; }

  int errorOf(Long folder) {
    try {
      folders->SpecialFolders(folder);
    } catch (const Error& e) {
      return e.number();
    }
    return 0;
  }

  std::shared_ptr<FakeKernel32> kernel = std::make_shared<FakeKernel32>();
  std::shared_ptr<FakeShell32> shell = std::make_shared<FakeShell32>();
  std::shared_ptr<FakeAdvapi32> registry = std::make_shared<FakeAdvapi32>();
  std::shared_ptr<Folders> folders;
};

TEST_F(FoldersFake, DecisionTable) {
  const std::pair<Long, const char16_t*> cases[] = {
      {zvaWindows, u"C:\\WINDOWS"},
      {zvaSystem, u"C:\\WINDOWS\\SYSTEM32"},
      {zvaTemp, u"C:\\TEMP"},
      {zvaDesktop, u"C:\\Users\\ana\\Desktop"},
      {zvaPrinters, u""},    // known to the shell, no file-system path
      {zvaNetwork, u""},     // unknown to the shell
      {12345, u""},          // not in the enumeration: passed on unchanged
      {zvaProgramFiles, u""},  // the registry value is absent: "", not the shell's answer
  };
  for (const auto& [folder, path] : cases) EXPECT_EQ(folders->SpecialFolders(folder), path) << folder;
  EXPECT_EQ(shell->asked().back(), zvaProgramFiles);
  EXPECT_NE(std::find(shell->asked().begin(), shell->asked().end(), 12345), shell->asked().end());
}

TEST_F(FoldersFake, ProgramFilesComesFromTheRegistryThroughOneObject) {
  HKEY key = 0;
  const char value[] = "D:\\Apps";
  registry->RegCreateKeyA(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", &key);
  registry->RegSetValueExA(key, "ProgramFilesDir", 0, kRegSz, reinterpret_cast<const BYTE*>(value),
                           sizeof value);
  registry->RegCloseKey(key);
  shell->setFolder(zvaProgramFiles, "");  // the shell knows nothing: still no error
  EXPECT_EQ(folders->SpecialFolders(zvaProgramFiles), u"D:\\Apps");
  EXPECT_EQ(folders->SpecialFolders(zvaProgramFiles), u"D:\\Apps");
  EXPECT_EQ(registry->openHandles(), 0u);
}

TEST_F(FoldersFake, LongPathsAreAskedForAgain) {
  const std::string longTemp = "C:\\" + std::string(300, 'T') + "\\";
  const std::string longWindows = "C:\\" + std::string(280, 'W');
  kernel->setDirectories(longWindows, "", longTemp);
  EXPECT_EQ(folders->SpecialFolders(zvaTemp).size(), longTemp.size() - 1);
  EXPECT_EQ(folders->SpecialFolders(zvaWindows).size(), longWindows.size());
  EXPECT_EQ(folders->SpecialFolders(zvaSystem), u"") << "a call answering 0 gives \"\"";
  kernel->setDirectories("", "", "");
  EXPECT_EQ(errorOf(zvaTemp), 5) << "no temporary path at all";
}

TEST_F(FoldersFake, CurrentDirectoryRoundTrip) {
  String dir = u"D:\\Work\\caf\u00E9";
  EXPECT_TRUE(folders->SetCurrentDir(dir).isEmpty());
  EXPECT_EQ(dir, u"D:\\Work\\caf\u00E9");
  EXPECT_EQ(folders->GetCurrentDir(), u"D:\\Work\\caf\u00E9");
  String deep = u"/" + String(400, u'd');
  folders->SetCurrentDir(deep);
  EXPECT_EQ(folders->GetCurrentDir(), deep) << "longer than the first buffer";
}

TEST_F(FoldersFake, DynamicCalls) {
  std::vector<Argument> args = {Argument::byValue(Variant(String(u"16")))};  // coerced to Long
  EXPECT_EQ(invoke(*folders, methodId(2), CallKind::Method, args).string(), u"C:\\Users\\ana\\Desktop");
  std::vector<Argument> dir = {Argument::byReference(Variant(String(u"E:\\")))};
  EXPECT_TRUE(invoke(*folders, "SetCurrentDir", CallKind::Method, dir).isEmpty());
  EXPECT_EQ(dir[0].value.string(), u"E:\\");
}

// On Linux the registry store answers ProgramFilesDir from the host when
// nothing is stored, and that answer reaches the member.
TEST(FoldersLinuxStore, ProgramFilesIsTheHostsFolder) {
  auto location = posix::StoreLocation::inMemory();
  location.host.programFiles = "/opt";
  Libraries libs;
  auto shell = std::make_shared<FakeShell32>();
  libs.shell32 = shell;
  libs.ole32 = shell;
  libs.kernel32 = std::make_shared<FakeKernel32>();
  libs.advapi32 = std::make_shared<posix::Advapi32Posix>(location);
  EXPECT_EQ(create<Folders>(libs)->SpecialFolders(zvaProgramFiles), u"/opt");
}

}  // namespace
}  // namespace zs
