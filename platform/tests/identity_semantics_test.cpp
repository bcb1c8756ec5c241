// The user and computer names (GetUserNameA, GetComputerNameA) over the Linux
// backends and the fakes, with the Win32 size and status rules; and the
// identity values that the Linux registry store answers from the host.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/posix/advapi32_posix.h"
#include "platform/posix/identity_posix.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/testing/fake_advapi32.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

using NameCall = std::function<BOOL(char*, DWORD*)>;

struct NameBackend {
  const char* label;
  std::string name;      // what the backend holds
  NameCall call;
  DWORD tooSmall;        // the status of a buffer that is too small
  bool sizeCountsNul;    // on success
};

std::vector<NameBackend> nameBackends() {
  auto fakeUser = std::make_shared<testing::FakeAdvapi32>();
  fakeUser->setUserName("ana");
  auto fakeHost = std::make_shared<testing::FakeKernel32>();
  fakeHost->setComputerName("BUILD-07");
  posix::SystemRoots roots;
  roots.nodeName = "linux-node";
  auto posixHost = std::make_shared<posix::Kernel32Posix>(roots);
  auto posixUser = std::make_shared<posix::Advapi32Posix>(posix::StoreLocation::inMemory());
  return {
      {"fake GetUserNameA", "ana",
       [fakeUser](char* b, DWORD* s) { return fakeUser->GetUserNameA(b, s); },
       kErrorInsufficientBuffer, true},
      {"posix GetUserNameA", posix::userNameOf(::geteuid()),
       [posixUser](char* b, DWORD* s) { return posixUser->GetUserNameA(b, s); },
       kErrorInsufficientBuffer, true},
      {"fake GetComputerNameA", "BUILD-07",
       [fakeHost](char* b, DWORD* s) { return fakeHost->GetComputerNameA(b, s); },
       kErrorBufferOverflow, false},
      {"posix GetComputerNameA", "linux-node",
       [posixHost](char* b, DWORD* s) { return posixHost->GetComputerNameA(b, s); },
       kErrorBufferOverflow, false},
  };
}

TEST(NameCalls, SizesAndStatusesFollowWin32) {
  for (const auto& backend : nameBackends()) {
    SCOPED_TRACE(backend.label);
    const auto needed = static_cast<DWORD>(backend.name.size() + 1);
    // Exactly enough: the name, its NUL, and the size the call counts.
    std::string buffer(needed, '#');
    DWORD size = needed;
    ASSERT_EQ(backend.call(buffer.data(), &size), 1);
    EXPECT_EQ(buffer, backend.name + '\0');
    EXPECT_EQ(size, backend.sizeCountsNul ? needed : needed - 1);
    // One byte short, and no buffer at all: nothing written, the size needed.
    for (char* target : {buffer.data(), static_cast<char*>(nullptr)}) {
      buffer.assign(needed, '#');
      size = needed - 1;
      SetLastError(0);
      EXPECT_EQ(backend.call(target, &size), 0);
      EXPECT_EQ(size, needed);
      EXPECT_EQ(GetLastError(), backend.tooSmall);
      EXPECT_EQ(buffer, std::string(needed, '#'));
    }
    SetLastError(0);
    EXPECT_EQ(backend.call(buffer.data(), nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(kErrorInvalidParameter));
  }
}

TEST(NameCalls, AUidWithoutAPasswdEntryIsItsNumber) {
  EXPECT_EQ(posix::userNameOf(3999999999u), "3999999999");
  EXPECT_EQ(posix::userNameOf(0), "root");
}

// The Linux store with host answers read from fixture files.
class HostIdentity : public ::testing::Test {
 protected:
  void SetUp() override {
    write("os-release", "NAME=Debian\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
    write("machine-id", "0123456789abcdef0123456789ABCDEF\n");
    location.host.osRelease = {folder.path() + "/missing", folder.path() + "/os-release"};
    location.host.machineId = folder.path() + "/machine-id";
    location.host.programFiles = "/opt";
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(folder.path() + "/" + name) << text;
  }
  std::unique_ptr<posix::Advapi32Posix> api() {
    return std::make_unique<posix::Advapi32Posix>(location);
  }
  static std::string query(Advapi32& api, const char* path, const char* name, LONG* status) {
    HKEY key = 0;
    *status = api.RegOpenKeyExA(kHkeyLocalMachine, path, 0, kKeyRead, &key);
    if (*status != kErrorSuccess) return {};
    char data[256] = {};
    DWORD length = sizeof data;
    DWORD type = 0;
    *status = api.RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                   &length);
    api.RegCloseKey(key);
    if (*status == kErrorSuccess) {
      EXPECT_EQ(type, kRegSz);
    }
    return *status == kErrorSuccess ? std::string(data, length - 1) : std::string();
  }
  static std::vector<std::string> listed(Advapi32& api) {
    HKEY key = 0;
    std::vector<std::string> names;
    if (api.RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                          kKeyRead, &key) != kErrorSuccess) {
      return names;
    }
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD nameLength = sizeof name;
      BYTE data[256];
      DWORD dataLength = sizeof data;
      if (api.RegEnumValueA(key, i, name, &nameLength, nullptr, nullptr, data, &dataLength) !=
          kErrorSuccess) {
        break;
      }
      names.push_back(std::string(name) + "=" +
                      std::string(reinterpret_cast<char*>(data), dataLength - 1));
    }
    api.RegCloseKey(key);
    return names;
  }

  testsupport::TempFolder folder;
  posix::StoreLocation location = posix::StoreLocation::inMemory();
};

TEST_F(HostIdentity, AbsentKeyOpensAndAnswersOnlyWhatTheHostKnows) {
  auto registry = api();
  const char* key = "Software\\Microsoft\\Windows\\CurrentVersion";
  const std::tuple<const char*, const char*, LONG, std::string> cases[] = {
      {key, "ProductName", kErrorSuccess, "Debian GNU/Linux 12 (bookworm)"},
      {key, "productid", kErrorSuccess, "0123456789abcdef0123456789ABCDEF"},
      {"SOFTWARE\\MICROSOFT\\windows\\currentversion\\", "ProgramFilesDir", kErrorSuccess, "/opt"},
      {key, "RegisteredOwner", kErrorFileNotFound, ""},  // nothing invented
      {key, "Plus! VersionNumber", kErrorFileNotFound, ""},
      {"Software\\Microsoft\\Windows", "ProductName", kErrorFileNotFound, ""},  // no parents
  };
  for (const auto& [path, name, status, value] : cases) {
    LONG got = 0;
    EXPECT_EQ(query(*registry, path, name, &got), value) << path << " " << name;
    EXPECT_EQ(got, status) << path << " " << name;
  }
  EXPECT_EQ(listed(*registry),
            (std::vector<std::string>{"ProductName=Debian GNU/Linux 12 (bookworm)",
                                      "ProductId=0123456789abcdef0123456789ABCDEF",
                                      "ProgramFilesDir=/opt"}));
}

TEST_F(HostIdentity, StoredValuesWinAndAreListedOnce) {
  auto registry = api();
  HKEY key = 0;
  ASSERT_EQ(registry->RegCreateKeyA(kHkeyLocalMachine,
                                    "Software\\Microsoft\\Windows\\CurrentVersion", &key),
            kErrorSuccess);
  const std::string owner = "Ana", program = "/usr/local";
  registry->RegSetValueExA(key, "RegisteredOwner", 0, kRegSz,
                           reinterpret_cast<const BYTE*>(owner.c_str()), 4);
  registry->RegSetValueExA(key, "PROGRAMFILESDIR", 0, kRegSz,
                           reinterpret_cast<const BYTE*>(program.c_str()), 11);
  registry->RegCloseKey(key);
  LONG status = 0;
  EXPECT_EQ(query(*registry, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                  &status),
            "/usr/local");
  EXPECT_EQ(query(*registry, "Software\\Microsoft\\Windows\\CurrentVersion", "ProductName",
                  &status),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(listed(*registry),
            (std::vector<std::string>{"ProductName=Debian GNU/Linux 12 (bookworm)",
                                      "ProductId=0123456789abcdef0123456789ABCDEF",
                                      "RegisteredOwner=Ana", "PROGRAMFILESDIR=/usr/local"}));
}

TEST_F(HostIdentity, UnusableSourcesAnswerNothing) {
  const std::pair<const char*, std::string> machineIds[] = {
      {"uninitialized\n", ""}, {"0123\n", ""}, {"", ""},
      {"0123456789abcdef0123456789abcdeg\n", ""},
  };
  for (const auto& [text, value] : machineIds) {
    write("machine-id", text);
    LONG status = 0;
    auto registry = api();
    EXPECT_EQ(query(*registry, "Software\\Microsoft\\Windows\\CurrentVersion", "ProductId", &status),
              value);
    EXPECT_EQ(status, kErrorFileNotFound) << text;
  }
  write("os-release", "NAME=Plain\n");  // no PRETTY_NAME: os-release's own default
  LONG status = 0;
  EXPECT_EQ(query(*api(), "Software\\Microsoft\\Windows\\CurrentVersion", "ProductName", &status),
            "Linux");
  location.host = {};  // the in-memory store of the tests: no host at all
  EXPECT_TRUE(listed(*api()).empty());
}

}  // namespace
}  // namespace zs::platform
