// Registry semantics, run against the in-memory fake and the file store.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/advapi32_posix.h"
#include "platform/testing/fake_advapi32.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

using testsupport::TempFolder;

struct Backend {
  std::unique_ptr<TempFolder> folder;
  std::unique_ptr<Advapi32> api;
};

Backend makeBackend(const std::string& kind) {
  Backend b;
  if (kind == "fake") {
    b.api = std::make_unique<testing::FakeAdvapi32>();
  } else {
    b.folder = std::make_unique<TempFolder>();
    b.api = std::make_unique<posix::Advapi32Posix>(
        posix::StoreLocation::inFolder(b.folder->path()));
  }
  return b;
}

class Semantics : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { backend_ = makeBackend(GetParam()); }
  Advapi32& api() { return *backend_.api; }

  HKEY create(HKEY root, const char* path) {
    HKEY key = 0;
    EXPECT_EQ(api().RegCreateKeyA(root, path, &key), kErrorSuccess) << path;
    return key;
  }
  HKEY open(HKEY root, const char* path, REGSAM sam, LONG expected = kErrorSuccess) {
    HKEY key = 0;
    EXPECT_EQ(api().RegOpenKeyExA(root, path, 0, sam, &key), expected) << path;
    return key;
  }
  LONG setString(HKEY key, const char* name, const std::string& text, DWORD type = kRegSz) {
    return api().RegSetValueExA(key, name, 0, type,
                                reinterpret_cast<const BYTE*>(text.data()),
                                static_cast<DWORD>(text.size()));
  }
  std::vector<std::string> subKeys(HKEY key) {
    std::vector<std::string> names;
    char buffer[260];
    for (DWORD i = 0; api().RegEnumKeyA(key, i, buffer, sizeof buffer) == kErrorSuccess; ++i)
      names.emplace_back(buffer);
    return names;
  }
  // Enumerates one value name into `name` (room for `size` bytes); the status.
  LONG enumValue(HKEY key, DWORD index, char* name, DWORD size) {
    return api().RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
  }
  std::vector<std::string> valueNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0; enumValue(key, i, name, sizeof name) == kErrorSuccess; ++i) names.emplace_back(name);
    return names;
  }
  std::string query(HKEY key, const char* name, DWORD* type = nullptr) {
    BYTE data[255];
    DWORD length = sizeof data;
    EXPECT_EQ(api().RegQueryValueExA(key, name, nullptr, type, data, &length), kErrorSuccess);
    return std::string(reinterpret_cast<char*>(data), length);
  }

  Backend backend_;
};

TEST_P(Semantics, CreateMakesEveryLevelAndNamesIgnoreCase) {
  HKEY b = create(kHkeyCurrentUser, "Software\\Zs\\MixedCase");
  EXPECT_EQ(setString(b, "Name", "abc"), kErrorSuccess);
  EXPECT_EQ(api().RegCloseKey(b), kErrorSuccess);

  HKEY again = open(kHkeyCurrentUser, "SOFTWARE\\zs\\mixedcase\\", kKeyRead);
  EXPECT_EQ(query(again, "NAME"), std::string("abc\0", 4));
  EXPECT_EQ(setString(again, "x", "y"), kErrorAccessDenied);  // opened for reading only
  api().RegCloseKey(again);

  HKEY parent = open(kHkeyCurrentUser, "software\\ZS", kKeyAllAccess);
  HKEY same = create(parent, "MIXEDCASE");
  EXPECT_EQ(setString(same, "NAME", "xyz"), kErrorSuccess);
  EXPECT_EQ(subKeys(parent), std::vector<std::string>{"MixedCase"});  // stored as first given
  EXPECT_EQ(valueNames(same), std::vector<std::string>{"Name"});
  api().RegCloseKey(same);
  api().RegCloseKey(parent);
}

TEST_P(Semantics, HandlesAreCheckedLikeWindowsHandles) {
  HKEY key = create(kHkeyCurrentUser, "Software\\Handles");
  ASSERT_NE(key, 0u);
  EXPECT_EQ(api().RegCloseKey(key), kErrorSuccess);
  const HKEY unusable[] = {0, key, 4 * 1234, predefinedKey(0x80000007u), 3};
  for (HKEY bad : unusable) {
    SCOPED_TRACE(bad);
    HKEY out = 99;
    char name[8];
    EXPECT_EQ(api().RegOpenKeyExA(bad, "", 0, kKeyRead, &out), kErrorInvalidHandle);
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(api().RegCreateKeyA(bad, "x", &out), kErrorInvalidHandle);
    EXPECT_EQ(api().RegCloseKey(bad), kErrorInvalidHandle);
    EXPECT_EQ(api().RegDeleteKeyA(bad, "x"), kErrorInvalidHandle);
    EXPECT_EQ(api().RegDeleteValueA(bad, "x"), kErrorInvalidHandle);
    EXPECT_EQ(api().RegEnumKeyA(bad, 0, name, sizeof name), kErrorInvalidHandle);
    EXPECT_EQ(enumValue(bad, 0, name, sizeof name), kErrorInvalidHandle);
    EXPECT_EQ(api().RegQueryValueExA(bad, "", nullptr, nullptr, nullptr, nullptr),
              kErrorInvalidHandle);
    EXPECT_EQ(setString(bad, "", "v"), kErrorInvalidHandle);
  }
  // Predefined roots are always valid and closing one is harmless.
  EXPECT_EQ(api().RegCloseKey(kHkeyCurrentUser), kErrorSuccess);
  HKEY same = 0;
  EXPECT_EQ(api().RegCreateKeyA(kHkeyLocalMachine, "", &same), kErrorSuccess);
  EXPECT_EQ(same, kHkeyLocalMachine);
}

TEST_P(Semantics, DeletingKeys) {
  HKEY leaf = create(kHkeyCurrentUser, "Software\\Del\\Leaf");
  EXPECT_EQ(setString(leaf, "v", "1"), kErrorSuccess);
  struct Case { const char* path; LONG status; };
  const Case cases[] = {
      {"Software\\Del", kErrorAccessDenied},  // still has a sub-key
      {"Software\\Del\\Missing", kErrorFileNotFound},
      {"Software\\Del\\LEAF", kErrorSuccess},
      {"Software\\Del\\Leaf", kErrorFileNotFound},
      {"Software\\Del", kErrorSuccess},
  };
  for (const auto& c : cases) EXPECT_EQ(api().RegDeleteKeyA(kHkeyCurrentUser, c.path), c.status) << c.path;
  // A handle to a deleted key is still a handle, but its key is gone.
  EXPECT_EQ(setString(leaf, "v", "2"), kErrorKeyDeleted);
  EXPECT_EQ(api().RegCloseKey(leaf), kErrorSuccess);
  EXPECT_EQ(api().RegDeleteKeyA(kHkeyCurrentUser, ""), kErrorAccessDenied);
  EXPECT_EQ(api().RegDeleteKeyA(kHkeyCurrentUser, nullptr), kErrorInvalidParameter);
}

TEST_P(Semantics, EnumerationOrder) {
  HKEY key = create(kHkeyCurrentUser, "Software\\Order");
  for (const char* name : {"b", "C", "a"}) api().RegCloseKey(create(key, name));
  EXPECT_EQ(subKeys(key), (std::vector<std::string>{"a", "b", "C"}));

  for (const char* name : {"z", "a", "m"}) EXPECT_EQ(setString(key, name, name), kErrorSuccess);
  EXPECT_EQ(setString(key, "Z", "again"), kErrorSuccess);  // keeps its place
  EXPECT_EQ(api().RegDeleteValueA(key, "a"), kErrorSuccess);
  EXPECT_EQ(api().RegDeleteValueA(key, "a"), kErrorFileNotFound);
  EXPECT_EQ(setString(key, "a", "new"), kErrorSuccess);  // a new value goes last
  EXPECT_EQ(valueNames(key), (std::vector<std::string>{"z", "m", "a"}));

  // An enumeration interleaved with changes follows the current contents.
  char name[16];
  EXPECT_EQ(enumValue(key, 0, name, sizeof name), 0);
  EXPECT_EQ(api().RegDeleteValueA(key, "z"), kErrorSuccess);
  EXPECT_EQ(enumValue(key, 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "a");
  EXPECT_EQ(enumValue(key, 2, name, sizeof name), kErrorNoMoreItems);
  api().RegCloseKey(key);
}

TEST_P(Semantics, DataLengthsAndBuffers) {
  HKEY key = create(kHkeyCurrentUser, "Software\\Data");
  const struct {
    const char* name;
    DWORD type;
    std::string written, stored;
  } cases[] = {
      {"text", kRegSz, "abc", std::string("abc\0", 4)},  // a terminator is added
      {"terminated", kRegSz, std::string("abc\0", 4), std::string("abc\0", 4)},
      {"empty", kRegSz, "", std::string(1, '\0')},
      {"bin", kRegBinary, "AB", "AB"},
      {nullptr, kRegDword, std::string(4, '\xFF'), std::string(4, '\xFF')},
  };
  for (const auto& c : cases) ASSERT_EQ(setString(key, c.name, c.written, c.type), kErrorSuccess);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(default)");
    DWORD type = 0, size = 0;
    EXPECT_EQ(api().RegQueryValueExA(key, c.name, nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(size, c.stored.size());
    std::vector<BYTE> exact(size + 1, 0x20);
    DWORD length = size - 1;  // one byte short
    type = 0;
    EXPECT_EQ(api().RegQueryValueExA(key, c.name, nullptr, &type, exact.data(), &length), kErrorMoreData);
    EXPECT_EQ(length, size);
    EXPECT_EQ(type, c.type);
    length = size;
    EXPECT_EQ(api().RegQueryValueExA(key, c.name, nullptr, &type, exact.data(), &length), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(exact.data()), length), c.stored);
  }
  DWORD reserved = 0, length = 4;
  BYTE buffer[4];
  EXPECT_EQ(api().RegQueryValueExA(key, "missing", nullptr, nullptr, buffer, &length),
            kErrorFileNotFound);
  EXPECT_EQ(api().RegQueryValueExA(key, "text", &reserved, nullptr, buffer, &length),
            kErrorInvalidParameter);
  EXPECT_EQ(api().RegQueryValueExA(key, "text", nullptr, nullptr, buffer, nullptr),
            kErrorInvalidParameter);
  EXPECT_EQ(api().RegSetValueExA(key, "x", 0, kRegBinary, nullptr, 3), kErrorInvalidParameter);

  // Name buffers of enumerations count the terminating NUL.
  char name[5];
  EXPECT_EQ(enumValue(key, 0, name, 4), kErrorMoreData);  // "text" needs 5
  HKEY parent = open(kHkeyCurrentUser, "Software", kKeyRead);
  EXPECT_EQ(api().RegEnumKeyA(parent, 0, name, 4), kErrorMoreData);  // "Data"
  EXPECT_EQ(api().RegEnumKeyA(parent, 0, name, 5), kErrorSuccess);
  EXPECT_EQ(api().RegEnumKeyA(parent, 1, name, 5), kErrorNoMoreItems);
  api().RegCloseKey(parent);
  api().RegCloseKey(key);
}

TEST_P(Semantics, AccessRightsOfHandles) {
  api().RegCloseKey(create(kHkeyCurrentUser, "Software\\Rights\\Sub"));
  HKEY writer = open(kHkeyCurrentUser, "Software\\Rights", kKeyAllAccess);
  ASSERT_EQ(setString(writer, "v", "1"), kErrorSuccess);
  struct Case { REGSAM sam; LONG query, set, enumKeys, enumValues, create; };
  const Case cases[] = {
      {kKeyRead, 0, 5, 0, 0, 5},
      {kKeyQueryValue, 0, 5, 5, 0, 5},
      {kKeySetValue, 5, 0, 5, 5, 5},
      {kKeyCreateSubKey, 5, 5, 5, 5, 0},
      {kKeyAllAccess, 0, 0, 0, 0, 0},
      {0, 5, 5, 5, 5, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sam);
    HKEY key = open(kHkeyCurrentUser, "Software\\Rights", c.sam);
    char name[16];
    EXPECT_EQ(api().RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, nullptr), c.query);
    EXPECT_EQ(setString(key, "v", "2"), c.set);
    EXPECT_EQ(api().RegEnumKeyA(key, 0, name, sizeof name), c.enumKeys);
    EXPECT_EQ(enumValue(key, 0, name, sizeof name), c.enumValues);
    HKEY child = 0;
    EXPECT_EQ(api().RegCreateKeyA(key, "New", &child), c.create);
    api().RegCloseKey(child);
    api().RegDeleteKeyA(key, "New");
    api().RegCloseKey(key);
  }
  api().RegCloseKey(writer);
}

TEST_P(Semantics, PathsAndRoots) {
  HKEY out = 0;
  const std::string longName(256, 'k');
  for (const char* bad : {"\\Software", "Software\\\\X", "A\\\\", longName.c_str()})
    EXPECT_EQ(api().RegCreateKeyA(kHkeyCurrentUser, bad, &out), kErrorInvalidParameter) << bad;
  EXPECT_EQ(api().RegCreateKeyA(kHkeyCurrentUser, nullptr, nullptr), kErrorInvalidParameter);

  // HKEY_CLASSES_ROOT and HKEY_CURRENT_CONFIG are views into the machine hive.
  HKEY cls = create(kHkeyClassesRoot, ".zs");
  ASSERT_EQ(setString(cls, "", "ZsFile"), kErrorSuccess);
  api().RegCloseKey(cls);
  HKEY viaMachine = open(kHkeyLocalMachine, "software\\classes\\.ZS", kKeyRead);
  EXPECT_EQ(query(viaMachine, nullptr), std::string("ZsFile\0", 7));
  api().RegCloseKey(viaMachine);
  EXPECT_EQ(setString(kHkeyCurrentConfig, "Display", "1"), kErrorSuccess);
  HKEY config = open(kHkeyLocalMachine,
                     "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current", kKeyRead);
  EXPECT_EQ(valueNames(config), std::vector<std::string>{"Display"});
  api().RegCloseKey(config);

  // The performance and dynamic-data roots are empty and read-only.
  for (HKEY root : {kHkeyPerformanceData, kHkeyDynData}) {
    char name[8];
    EXPECT_EQ(api().RegEnumKeyA(root, 0, name, sizeof name), kErrorNoMoreItems);
    EXPECT_EQ(api().RegCreateKeyA(root, "x", &out), kErrorAccessDenied);
    EXPECT_EQ(setString(root, "v", "1"), kErrorAccessDenied);
    EXPECT_EQ(api().RegOpenKeyExA(root, "x", 0, kKeyRead, &out), kErrorFileNotFound);
  }
  // HKEY_USERS is its own tree.
  api().RegCloseKey(create(kHkeyUsers, ".DEFAULT"));
  EXPECT_EQ(subKeys(kHkeyUsers), std::vector<std::string>{".DEFAULT"});
  EXPECT_EQ(subKeys(kHkeyLocalMachine), (std::vector<std::string>{"SOFTWARE", "SYSTEM"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Semantics, ::testing::Values("fake", "file"));

TEST(FileStore, SurvivesReopeningAndUsesPrivateModes) {
  TempFolder folder;
  const auto location = posix::StoreLocation::inFolder(folder.path() + "/nested/dir");
  {
    posix::Advapi32Posix api(location);
    HKEY key = 0;
    ASSERT_EQ(api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Keep", &key), 0);
    ASSERT_EQ(api.RegSetValueExA(key, "v", 0, kRegBinary, reinterpret_cast<const BYTE*>("xy"), 2), 0);
    api.RegCloseKey(key);
    ASSERT_EQ(api.RegCreateKeyA(kHkeyLocalMachine, "Software\\Keep", &key), 0);
    api.RegCloseKey(key);
  }
  posix::Advapi32Posix api(location);
  HKEY key = 0;
  ASSERT_EQ(api.RegOpenKeyExA(kHkeyCurrentUser, "software\\keep", 0, kKeyRead, &key), 0);
  BYTE data[4];
  DWORD length = sizeof data;
  EXPECT_EQ(api.RegQueryValueExA(key, "V", nullptr, nullptr, data, &length), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), length), "xy");
  api.RegCloseKey(key);
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(location.userFile).permissions(), perms::owner_read | perms::owner_write);
  EXPECT_EQ(std::filesystem::status(location.machineFile).permissions(),
            perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

// A walk is served from what one statement read when it started; another
// connection's changes show when the walk starts again at index 0. Data
// larger than the snapshot keeps is read when asked for, and a value gone by
// then makes the walk read the key again.
TEST(FileStore, EnumerationReadsOneSnapshotPerWalk) {
  TempFolder folder;
  const auto location = posix::StoreLocation::inFolder(folder.path());
  posix::Advapi32Posix walker(location), other(location);
  HKEY key = 0, otherKey = 0;
  ASSERT_EQ(walker.RegCreateKeyA(kHkeyCurrentUser, "Software\\Walk", &key), 0);
  ASSERT_EQ(other.RegOpenKeyExA(kHkeyCurrentUser, "Software\\Walk", 0, kKeyAllAccess, &otherKey),
            0);
  const std::string big(10000, 'b');
  const auto set = [](Advapi32& api, HKEY k, const char* name, const std::string& data) {
    return api.RegSetValueExA(k, name, 0, kRegBinary, reinterpret_cast<const BYTE*>(data.data()),
                              static_cast<DWORD>(data.size()));
  };
  for (const char* name : {"a", "big", "c"})
    ASSERT_EQ(set(walker, key, name, name == std::string("big") ? big : name), 0);
  const auto at = [&](DWORD index) {
    char name[16];
    DWORD nameLength = sizeof name, dataLength = 0;
    std::vector<BYTE> data(20000);
    dataLength = static_cast<DWORD>(data.size());
    const LONG s = walker.RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr,
                                        data.data(), &dataLength);
    return s == 0 ? std::string(name) + ":" + std::to_string(dataLength)
                  : "status " + std::to_string(s);
  };
  EXPECT_EQ(at(0), "a:1");
  ASSERT_EQ(other.RegDeleteValueA(otherKey, "c"), 0);
  ASSERT_EQ(set(other, otherKey, "d", "d"), 0);
  EXPECT_EQ(at(1), "big:10000");
  EXPECT_EQ(at(2), "c:1") << "the walk goes on in its snapshot";
  EXPECT_EQ(at(0), "a:1");
  EXPECT_EQ(at(2), "d:1") << "a new walk sees the other connection's changes";
  ASSERT_EQ(other.RegDeleteValueA(otherKey, "big"), 0);
  EXPECT_EQ(at(1), "d:1") << "large data gone since the walk began";
  EXPECT_EQ(at(2), "status 259");
  walker.RegCloseKey(key);
  other.RegCloseKey(otherKey);
}

}  // namespace
}  // namespace zs::platform
