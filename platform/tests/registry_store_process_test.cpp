// The store shared by several processes: concurrent writers, a writer killed
// in the middle of its writes, and file permissions.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/advapi32_posix.h"
#include "platform/testing/temp_folder.h"
#include "platform/tests/lower_case_store.h"

extern char** environ;

namespace zs::platform {
namespace {

using testsupport::TempFolder;

// A worker process with its standard output on a pipe.
class Worker {
 public:
  Worker(const std::string& folder, std::vector<std::string> args) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    setenv("ZAVRIN_REGISTRY_DIR", folder.c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    args.insert(args.begin(), ZS_REGISTRY_WORKER);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, ZS_REGISTRY_WORKER, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    unsetenv("ZAVRIN_REGISTRY_DIR");
    close(fds[1]);
    out_ = fds[0];
    if (rc != 0) throw std::runtime_error("posix_spawn");
  }
  ~Worker() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }

  // The next complete line, or false at the end of the output.
  bool line(std::string* text) {
    while (true) {
      if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
        *text = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return true;
      }
      char chunk[512];
      const ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return false;
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }
  void kill9() { kill(pid_, SIGKILL); }
  int wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return status;
  }

 private:
  pid_t pid_ = 0;
  int out_ = -1;
  std::string buffer_;
};

std::string integrity(const std::string& file) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr);
    if (s != nullptr && sqlite3_step(s) == SQLITE_ROW) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    }
    sqlite3_finalize(s);
  }
  sqlite3_close(db);
  return result;
}

// The value TAG-i under HKEY_CURRENT_USER\Load\Shared, or -1.
long storedValue(Advapi32& api, const std::string& tag, long i) {
  HKEY key = 0;
  if (api.RegOpenKeyExA(kHkeyCurrentUser, "Load\\Shared", 0, kKeyRead, &key) != 0) return -1;
  std::uint32_t value = 0;
  DWORD length = 4;
  const std::string name = tag + "-" + std::to_string(i);
  const LONG s = api.RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&value), &length);
  api.RegCloseKey(key);
  return s == 0 ? static_cast<long>(value) : -1;
}

TEST(StoreProcesses, SeveralWritersAtOnceLoseNothing) {
  TempFolder folder;
  constexpr int kWorkers = 4;
  constexpr int kWrites = 120;
  std::vector<std::unique_ptr<Worker>> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.push_back(std::make_unique<Worker>(
        folder.path(), std::vector<std::string>{"write", "w" + std::to_string(w),
                                                std::to_string(kWrites)}));
  }
  for (auto& worker : workers) {
    std::string line;
    while (worker->line(&line)) {}
    const int status = worker->wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
  for (int w = 0; w < kWorkers; ++w) {
    for (long i = 0; i < kWrites; ++i) {
      ASSERT_EQ(storedValue(api, "w" + std::to_string(w), i), i);
    }
  }
  EXPECT_EQ(integrity(folder.path() + "/user.db"), "ok");
}

TEST(StoreProcesses, KilledWriterKeepsEveryCommittedWrite) {
  for (long killAfter : {5L, 60L, 200L}) {
    SCOPED_TRACE(killAfter);
    TempFolder folder;
    Worker worker(folder.path(), {"write", "k", "1000000"});
    long reported = -1;
    std::string line;
    while (reported + 1 < killAfter && worker.line(&line)) reported = std::stol(line);
    worker.kill9();
    while (worker.line(&line)) reported = std::stol(line);
    const int status = worker.wait();
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_GE(reported + 1, killAfter);

    EXPECT_EQ(integrity(folder.path() + "/user.db"), "ok");
    posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
    for (long i = 0; i <= reported; ++i) ASSERT_EQ(storedValue(api, "k", i), i);
    EXPECT_EQ(storedValue(api, "k", reported + 2), -1);  // nothing beyond the one in flight
  }
}

TEST(StoreProcesses, MachineHiveIsWritableOnlyByItsOwner) {
  TempFolder folder;
  chmod(folder.path().c_str(), 0755);
  {
    posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
    HKEY key = 0;
    ASSERT_EQ(api.RegCreateKeyA(kHkeyLocalMachine, "Software\\Probe", &key), 0);
    ASSERT_EQ(api.RegSetValueExA(key, "v", 0, kRegBinary, reinterpret_cast<const BYTE*>("a"), 1), 0);
    api.RegCloseKey(key);
  }
  const std::string denied = "open=0 query=0 openall=5 create=5 set=5 delete=5";
  if (geteuid() == 0) {
    // Another user reads the machine hive but cannot change it.
    Worker other(folder.path(), {"--uid", "65534", "probe"});
    std::string line;
    ASSERT_TRUE(other.line(&line));
    EXPECT_EQ(line, denied);
    // Where the machine file does not exist and cannot be created, the hive
    // reads as empty and refuses writes.
    const std::string locked = folder.path() + "/locked";
    mkdir(locked.c_str(), 0755);
    Worker outside(locked + "/store", {"--uid", "65534", "probe"});
    ASSERT_TRUE(outside.line(&line));
    EXPECT_EQ(line, "open=2 query=6 openall=2 create=5 set=6 delete=2");
  } else {
    chmod((folder.path() + "/machine.db").c_str(), 0444);
    Worker self(folder.path(), {"probe"});
    std::string line;
    ASSERT_TRUE(self.line(&line));
    EXPECT_EQ(line, denied);
  }
  EXPECT_EQ(integrity(folder.path() + "/machine.db"), "ok");
}

// The user file made readable, not writable, for another process: as root,
// a process of another user (the folder and files made world-readable);
// otherwise this user, with the file made read-only.
std::vector<std::string> readOnlyFor(const std::string& folder, std::vector<std::string> args) {
  if (geteuid() == 0) {
    chmod(folder.c_str(), 0755);
    for (const char* suffix : {"", "-wal", "-shm"}) {
      chmod((folder + "/user.db" + suffix).c_str(), 0644);
    }
    args.insert(args.begin(), {"--uid", "65534"});
  } else {
    chmod((folder + "/user.db").c_str(), 0444);
  }
  return args;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A file that cannot be written is read; each write gives 5 and the file
// stays as it was. A version-1 file is read as it is, folding its names on
// the way; a damaged one answers 1009 here too.
TEST(StoreProcesses, ReadOnlyFiles) {
  const struct {
    const char* what;
    std::function<void(const std::string& folder)> make;
    std::vector<std::string> query;
    std::string answer;
  } cases[] = {
      {"current version",
       [](const std::string& folder) {
         posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder));
         HKEY key = 0;
         api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Old\\Data", &key);
         api.RegSetValueExA(key, "MixedCase", 0, kRegSz, reinterpret_cast<const BYTE*>("x"), 1);
         api.RegCloseKey(key);
       },
       {"query", "SOFTWARE\\old\\DATA", "mixedcase"}, "0 x"},
      {"version 1", [](const std::string& folder) { testsupport::makeLowerCaseStore(folder); },
       {"query", "SOFTWARE\\old\\DATA", "mixedcase"}, "0 x"},
      {"version 1, names only the new folding joins",
       [](const std::string& folder) { testsupport::makeLowerCaseStore(folder); },
       {"query", "Software\\Old\\\xD2\x91", "which"}, "0 first"},
      {"damaged",
       [](const std::string& folder) {
         std::ofstream(folder + "/user.db", std::ios::binary) << std::string(8192, 'x');
       },
       {"query", "Software", "v"}, "1009 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    c.make(folder.path());
    const std::string before = fileBytes(folder.path() + "/user.db");
    std::string line;
    Worker reader(folder.path(), readOnlyFor(folder.path(), c.query));
    ASSERT_TRUE(reader.line(&line));
    EXPECT_EQ(line, c.answer);
    Worker writer(folder.path(), readOnlyFor(folder.path(), {"set", "Software\\Old", "v", "1"}));
    ASSERT_TRUE(writer.line(&line));
    EXPECT_EQ(line, c.answer.substr(0, 4) == "1009" ? "1009" : "5");
    EXPECT_EQ(fileBytes(folder.path() + "/user.db"), before);
  }
}

}  // namespace
}  // namespace zs::platform
