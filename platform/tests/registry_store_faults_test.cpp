// The store on files that are damaged, foreign, of another version, not
// files at all, or locked by another writer: every call answers the fault's
// status, never an empty hive, and nothing is written to the file.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/advapi32_posix.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

using testsupport::TempFolder;
namespace fs = std::filesystem;

constexpr int kValues = 120;
constexpr int kPageSize = 4096;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeAt(const std::string& path, std::size_t offset, const std::string& bytes) {
  std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(static_cast<std::streamoff>(offset));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs SQL on a file through a connection of its own.
void sql(const std::string& file, const char* text) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, text, nullptr, nullptr, nullptr), SQLITE_OK) << text;
  sqlite3_close(db);
}

// A user file with kValues values under HKCU\Software\Damage and one
// sub-key, with everything checkpointed into the file itself.
std::string healthyStore() {
  static TempFolder folder;
  static const std::string file = [] {
    {
      posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
      HKEY key = 0;
      api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Damage\\Sub", &key);
      api.RegCloseKey(key);
      api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Damage", &key);
      const std::string data(100, 'd');
      for (int i = 0; i < kValues; ++i) {
        const std::string name = "value" + std::to_string(i);
        api.RegSetValueExA(key, name.c_str(), 0, kRegBinary,
                           reinterpret_cast<const BYTE*>(data.data()), 100);
      }
      api.RegCloseKey(key);
    }
    const std::string path = folder.path() + "/user.db";
    sql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
    return path;
  }();
  return file;
}

// The status of every kind of call on HKCU and on a key below it.
std::vector<LONG> statuses(Advapi32& api) {
  std::vector<LONG> all;
  HKEY key = 0;
  all.push_back(api.RegOpenKeyExA(kHkeyCurrentUser, "Software\\Damage", 0, kKeyRead, &key));
  all.push_back(api.RegCreateKeyA(kHkeyCurrentUser, "Software\\New", &key));
  const BYTE data[] = {1};
  all.push_back(api.RegSetValueExA(kHkeyCurrentUser, "v", 0, kRegBinary, data, 1));
  all.push_back(api.RegQueryValueExA(kHkeyCurrentUser, "v", nullptr, nullptr, nullptr, nullptr));
  char name[64];
  all.push_back(api.RegEnumKeyA(kHkeyCurrentUser, 0, name, sizeof name));
  DWORD nameLength = sizeof name;
  all.push_back(api.RegEnumValueA(kHkeyCurrentUser, 0, name, &nameLength, nullptr, nullptr, nullptr,
                                  nullptr));
  all.push_back(api.RegDeleteValueA(kHkeyCurrentUser, "v"));
  all.push_back(api.RegDeleteKeyA(kHkeyCurrentUser, "Software\\Damage\\Sub"));
  return all;
}

using Damage = std::function<void(const std::string& file)>;

struct Case {
  std::string what;
  Damage damage;
};

std::vector<Case> damages() {
  const std::size_t pages = readFile(healthyStore()).size() / kPageSize;
  std::vector<Case> cases = {
      {"garbage in place of the file",
       [](const std::string& f) { std::ofstream(f, std::ios::binary) << std::string(9000, 'x'); }},
      {"header overwritten", [](const std::string& f) { writeAt(f, 0, "Not a database!"); }},
      {"page size in the header",
       [](const std::string& f) { writeAt(f, 16, std::string("\x01\x03", 2)); }},
      {"truncated to 50 bytes", [](const std::string& f) { fs::resize_file(f, 50); }},
      {"truncated to half",
       [pages](const std::string& f) { fs::resize_file(f, pages / 2 * kPageSize); }},
      {"newer version", [](const std::string& f) { sql(f, "PRAGMA user_version = 3"); }},
      {"unknown version", [](const std::string& f) { sql(f, "PRAGMA user_version = -1"); }},
      {"a table of another program",
       [](const std::string& f) { sql(f, "CREATE TABLE notes(text)"); }},
      {"foreign database",
       [](const std::string& f) {
         fs::remove(f);
         sql(f, "CREATE TABLE keys(id, name); INSERT INTO keys VALUES(1, 'x')");
       }},
      {"foreign database with the store's version",
       [](const std::string& f) {
         fs::remove(f);
         sql(f, "CREATE TABLE keys(id); PRAGMA user_version = 2");
       }},
      {"directory",
       [](const std::string& f) {
         fs::remove(f);
         fs::create_directory(f);
       }},
      {"FIFO",
       [](const std::string& f) {
         fs::remove(f);
         mkfifo(f.c_str(), 0600);
       }},
  };
  // Every page but the first (the header and the table list) in turn.
  for (std::size_t page = 2; page <= pages; ++page) {
    cases.push_back({"page " + std::to_string(page) + " overwritten", [page](const std::string& f) {
                       writeAt(f, (page - 1) * kPageSize, std::string(kPageSize, '\xA5'));
                     }});
  }
  return cases;
}

TEST(StoreFaults, DamagedOrForeignFileAnswersBadDbToEveryCallAndStaysUnchanged) {
  ASSERT_GE(readFile(healthyStore()).size(), 4u * kPageSize);
  for (const auto& c : damages()) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string file = folder.path() + "/user.db";
    fs::copy_file(healthyStore(), file);
    c.damage(file);
    const bool regular = fs::is_regular_file(file);
    const std::string before = regular ? readFile(file) : std::string();

    posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
    const std::vector<LONG> expected(8, kErrorBadDb);
    EXPECT_EQ(statuses(api), expected);
    EXPECT_EQ(statuses(api), expected) << "a second round";
    // The header holds the journal mode too: a switch to WAL shows here.
    if (regular) {
      EXPECT_EQ(readFile(file), before) << "the file was written to";
    }
  }
}

// Damage found after the file was checked at opening closes the store for
// good: every later call answers 1009 too.
TEST(StoreFaults, DamageFoundLaterIsReportedFromThenOn) {
  TempFolder folder;
  const std::string file = folder.path() + "/user.db";
  fs::copy_file(healthyStore(), file);
  posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
  HKEY key = 0;
  ASSERT_EQ(api.RegOpenKeyExA(kHkeyCurrentUser, "Software\\Damage", 0, kKeyRead, &key), 0);
  // Another writer changes the file (so the store reads it again), then
  // everything but the first page is overwritten.
  sql(file, "UPDATE keys SET name = name; PRAGMA wal_checkpoint(TRUNCATE)");
  const std::size_t size = readFile(file).size();
  writeAt(file, kPageSize, std::string(size - kPageSize, '\xA5'));
  const std::string before = readFile(file);

  char name[64];
  DWORD nameLength = sizeof name;
  EXPECT_EQ(api.RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
            kErrorBadDb);
  EXPECT_EQ(statuses(api), std::vector<LONG>(8, kErrorBadDb));
  EXPECT_EQ(readFile(file), before);
  api.RegCloseKey(key);
}

// While another process holds the write lock, reads go on and each write
// waits the busy timeout, then gives 170; once the lock is gone it succeeds.
TEST(StoreFaults, HeldWriteLockGivesBusyAfterTheTimeout) {
  TempFolder folder;
  const std::string file = folder.path() + "/user.db";
  fs::copy_file(healthyStore(), file);
  auto location = posix::StoreLocation::inFolder(folder.path());
  location.busyTimeoutMs = 50;
  posix::Advapi32Posix api(location);
  HKEY key = 0;
  ASSERT_EQ(api.RegOpenKeyExA(kHkeyCurrentUser, "Software\\Damage", 0, kKeyAllAccess, &key), 0);

  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const BYTE data[] = {1};
  HKEY created = 0;
  EXPECT_EQ(api.RegSetValueExA(key, "v", 0, kRegBinary, data, 1), kErrorBusy);
  EXPECT_EQ(api.RegCreateKeyA(key, "New", &created), kErrorBusy);
  EXPECT_EQ(api.RegDeleteValueA(key, "value1"), kErrorBusy);
  EXPECT_EQ(api.RegDeleteKeyA(key, "Sub"), kErrorBusy);
  EXPECT_EQ(api.RegQueryValueExA(key, "value1", nullptr, nullptr, nullptr, nullptr), 0);
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);

  EXPECT_EQ(api.RegSetValueExA(key, "v", 0, kRegBinary, data, 1), 0);
  api.RegCloseKey(key);
}

}  // namespace
}  // namespace zs::platform
