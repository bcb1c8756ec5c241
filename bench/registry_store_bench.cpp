// The Linux registry store against plain SQLite doing the same writes (one
// transaction each, the same pragmas), and enumerating a key of 10,000 values.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/posix/advapi32_posix.h"
#include "platform/testing/temp_folder.h"

namespace {

using namespace zs::platform;

constexpr int kPairs = 10000;

using Folder = zs::platform::testsupport::TempFolder;

void StoreSetAndQuery(benchmark::State& state) {
  Folder folder;
  posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
  HKEY key = 0;
  api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Bench", &key);
  long i = 0;
  for (auto _ : state) {
    const std::string name = "v" + std::to_string(i++);
    const std::uint32_t value = static_cast<std::uint32_t>(i);
    if (api.RegSetValueExA(key, name.c_str(), 0, kRegDword,
                           reinterpret_cast<const BYTE*>(&value), 4) != 0) {
      state.SkipWithError("write failed");
      break;
    }
    std::uint32_t read = 0;
    DWORD length = 4;
    api.RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&read),
                         &length);
    benchmark::DoNotOptimize(read);
  }
  api.RegCloseKey(key);
}
BENCHMARK(StoreSetAndQuery)->Iterations(kPairs)->Unit(benchmark::kMicrosecond);

// Plain SQLite doing the same writes, each followed by `reads` autocommit
// reads of the value: 1 is the baseline; 4 is the floor of WriteValue +
// ReadValue, whose calls make four read transactions (the openings of
// RegCreateKeyA and ReadValue, the query and the second query of a number).
void PlainSqliteSetAndRead(benchmark::State& state, int reads) {
  Folder folder;
  sqlite3* db = nullptr;
  sqlite3_open((folder.path() + "/plain.db").c_str(), &db);
  sqlite3_busy_timeout(db, 5000);
  sqlite3_exec(db,
               "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;"
               "CREATE TABLE vals(name BLOB PRIMARY KEY, type INTEGER, data BLOB) WITHOUT ROWID;",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO vals VALUES(?1, 4, ?2)", -1, &insert, nullptr);
  sqlite3_prepare_v2(db, "SELECT data FROM vals WHERE name = ?1", -1, &select, nullptr);
  long i = 0;
  for (auto _ : state) {
    const std::string name = "v" + std::to_string(i++);
    const std::uint32_t value = static_cast<std::uint32_t>(i);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_bind_blob(insert, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(insert, 2, &value, 4, SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    for (int read = 0; read < reads; ++read) {
      sqlite3_bind_blob(select, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
      if (sqlite3_step(select) == SQLITE_ROW) {
        benchmark::DoNotOptimize(sqlite3_column_blob(select, 0));
      }
      sqlite3_reset(select);
    }
  }
  sqlite3_finalize(insert);
  sqlite3_finalize(select);
  sqlite3_close(db);
}

void PlainSqliteSetAndQuery(benchmark::State& state) { PlainSqliteSetAndRead(state, 1); }
BENCHMARK(PlainSqliteSetAndQuery)->Iterations(kPairs)->Unit(benchmark::kMicrosecond);

void PlainSqliteSetAndFourReads(benchmark::State& state) { PlainSqliteSetAndRead(state, 4); }
BENCHMARK(PlainSqliteSetAndFourReads)->Iterations(kPairs)->Unit(benchmark::kMicrosecond);

// One full enumeration (RegEnumValueA for index 0 to 10,000) per iteration.
void StoreEnumerateTenThousandValues(benchmark::State& state) {
  Folder folder;
  posix::Advapi32Posix api(posix::StoreLocation::inFolder(folder.path()));
  HKEY key = 0;
  api.RegCreateKeyA(kHkeyCurrentUser, "Software\\Enum", &key);
  for (int i = 0; i < 10000; ++i) {
    const std::string name = "value" + std::to_string(i);
    api.RegSetValueExA(key, name.c_str(), 0, kRegSz, reinterpret_cast<const BYTE*>("text"), 4);
  }
  for (auto _ : state) {
    DWORD count = 0;
    for (DWORD index = 0;; ++index) {
      char name[255];
      BYTE data[255];
      DWORD nameLength = sizeof name, dataLength = sizeof data, type = 0;
      if (api.RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength) !=
          0) {
        break;
      }
      ++count;
    }
    if (count != 10000) state.SkipWithError("wrong count");
  }
  api.RegCloseKey(key);
}
BENCHMARK(StoreEnumerateTenThousandValues)->Unit(benchmark::kMillisecond);

// The floor for listing: one SQLite scan of 10,000 rows shaped like the
// store's values (name, type, data in write order), each column read.
void PlainSqliteScanTenThousandValues(benchmark::State& state) {
  Folder folder;
  sqlite3* db = nullptr;
  sqlite3_open((folder.path() + "/plain.db").c_str(), &db);
  sqlite3_exec(db,
               "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;"
               "CREATE TABLE vals(key INTEGER, seq INTEGER, name BLOB, type INTEGER, data BLOB,"
               " PRIMARY KEY(key, seq)) WITHOUT ROWID; BEGIN;",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO vals VALUES(1, ?1, ?2, 1, 'text')", -1, &insert, nullptr);
  for (int i = 0; i < 10000; ++i) {
    const std::string name = "value" + std::to_string(i);
    sqlite3_bind_int(insert, 1, i);
    sqlite3_bind_blob(insert, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_stmt* scan = nullptr;
  sqlite3_prepare_v2(db, "SELECT name, type, data FROM vals WHERE key = 1 ORDER BY seq", -1, &scan,
                     nullptr);
  for (auto _ : state) {
    int count = 0;
    std::size_t bytes = 0;
    while (sqlite3_step(scan) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_blob(scan, 0));
      benchmark::DoNotOptimize(sqlite3_column_int(scan, 1));
      benchmark::DoNotOptimize(sqlite3_column_blob(scan, 2));
      bytes += static_cast<std::size_t>(sqlite3_column_bytes(scan, 0));
      ++count;
    }
    sqlite3_reset(scan);
    benchmark::DoNotOptimize(bytes);
    if (count != 10000) state.SkipWithError("wrong count");
  }
  sqlite3_finalize(scan);
  sqlite3_close(db);
}
BENCHMARK(PlainSqliteScanTenThousandValues)->Unit(benchmark::kMillisecond);

}  // namespace
