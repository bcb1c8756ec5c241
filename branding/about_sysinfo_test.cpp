#include "branding/about_sysinfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "platform/testing/fake_advapi32.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/fake_user32.h"

namespace zs::branding {
namespace {

using namespace platform;

struct Registry {
  testing::FakeAdvapi32 api;
  void set(const char* key, const char* name, DWORD type, const std::string& data) {
    HKEY k = 0;
    ASSERT_EQ(api.RegCreateKeyA(kHkeyLocalMachine, key, &k), kErrorSuccess);
    ASSERT_EQ(api.RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
              kErrorSuccess);
    api.RegCloseKey(k);
  }
};

std::string dword(std::int32_t v) {
  std::string s(4, '\0');
  std::memcpy(s.data(), &v, 4);
  return s;
}

TEST(AboutSysInfo, GetKeyValueReadsStringsAndNumbersOnlyAndNeedsNoWriteAccess) {
  struct Case {
    DWORD type;
    std::string data;
    bool read;
    std::string value;  // "untouched" stays when nothing was read
  } cases[] = {
      {kRegSz, std::string("C:\\Tools\0", 9), true, "C:\\Tools"},
      {kRegSz, "C:\\NoNul", true, "C:\\NoNul"},
      {kRegSz, "", true, ""},
      {kRegDword, dword(-5), true, "-5"},
      {kRegDword, dword(70000), true, "70000"},
      {3 /* binary */, "xy", false, "untouched"},
  };
  for (const auto& c : cases) {
    Registry r;
    r.set("SOFTWARE\\T", "V", c.type, c.data);
    r.api.denyMachineWrites(true);
    std::string value = "untouched";
    EXPECT_EQ(getKeyValue(r.api, kHkeyLocalMachine, "SOFTWARE\\T", "V", value), c.read) << c.type;
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(r.api.openHandles(), 0u);
  }
  Registry r;
  std::string value = "old";
  EXPECT_FALSE(getKeyValue(r.api, kHkeyLocalMachine, "SOFTWARE\\Missing", "V", value));
  EXPECT_EQ(value, "");
  r.set("SOFTWARE\\T", "Other", kRegSz, "x");
  value = "old";
  EXPECT_FALSE(getKeyValue(r.api, kHkeyLocalMachine, "SOFTWARE\\T", "V", value));
  EXPECT_EQ(value, "");
  EXPECT_EQ(r.api.openHandles(), 0u);
}

TEST(AboutSysInfo, StartsTheProgramTheRegistryNamesOrSaysItIsUnavailable) {
  struct Case {
    const char* name;
    std::optional<std::string> path;     // MSINFO\PATH (REG_SZ)
    std::optional<std::string> folder;   // Shared Tools Location\MSINFO
    std::vector<std::string> files;      // files that exist
    bool denyWrites;
    std::string started;                 // "" when nothing may start
    bool messageBox;
  } cases[] = {
      {"path with blanks", "/opt/sys info/msinfo", std::nullopt, {"/opt/sys info/msinfo"}, false,
       "/opt/sys info/msinfo", false},
      {"path found but missing", "/opt/gone", std::nullopt, {}, false, "/opt/gone", true},
      {"standard user", "/opt/msinfo", std::nullopt, {"/opt/msinfo"}, true, "/opt/msinfo", false},
      {"zero-length path", "", std::nullopt, {}, false, "", true},
      {"folder with the program", std::nullopt, "/opt/tools", {"/opt/tools/MSINFO32.EXE"}, false,
       "/opt/tools/MSINFO32.EXE", false},
      {"folder without it", std::nullopt, "/opt/empty", {}, false, "", true},
      {"neither value", std::nullopt, std::nullopt, {}, false, "", true},
  };
  for (const auto& c : cases) {
    Registry r;
    testing::FakeKernel32 kernel;
    testing::FakeUser32 user;
    if (c.path) r.set(kMsinfoKey, "PATH", kRegSz, *c.path + std::string(1, '\0'));
    if (c.folder) r.set(kMsinfoLocationKey, "MSINFO", kRegSz, *c.folder + std::string(1, '\0'));
    for (const auto& f : c.files) kernel.addFile(f);
    r.api.denyMachineWrites(c.denyWrites);
    startSysInfo(r.api, kernel, user, "Title");
    const bool startedSomething = !kernel.started().empty();
    EXPECT_EQ(startedSomething ? kernel.started()[0].program : "", c.started) << c.name;
    if (startedSomething) {
      EXPECT_EQ(kernel.started()[0].commandLine, "") << c.name;
      EXPECT_EQ(kernel.started()[0].show, kSwShowNormal) << c.name;
    }
    ASSERT_EQ(user.messageBoxes.size(), c.messageBox ? 1u : 0u) << c.name;
    if (c.messageBox) {
      EXPECT_EQ(user.messageBoxes[0].text, kSysInfoUnavailable);
      EXPECT_EQ(user.messageBoxes[0].caption, "Title");
      EXPECT_EQ(user.messageBoxes[0].type, kMbOk);
    }
    EXPECT_EQ(r.api.openHandles(), 0u) << c.name;
  }
}

TEST(AboutSysInfo, ANumericPathIsStartedAsItsDecimalText) {
  Registry r;
  testing::FakeKernel32 kernel;
  testing::FakeUser32 user;
  r.set(kMsinfoKey, "PATH", kRegDword, dword(7));
  startSysInfo(r.api, kernel, user, "T");
  ASSERT_EQ(kernel.started().size(), 1u);
  EXPECT_EQ(kernel.started()[0].program, "7");
  EXPECT_EQ(user.messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace zs::branding
