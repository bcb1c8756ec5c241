// Small RAII wrappers over the SQLite C interface: a connection, a prepared
// statement and a transaction. Failures throw SqliteError with SQLite's
// result code.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zs::platform::sqlite {

class SqliteError : public std::runtime_error {
 public:
  SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int code() const noexcept { return code_; }
  // The primary result code (SQLITE_BUSY for SQLITE_BUSY_SNAPSHOT etc.).
  int primary() const noexcept { return code_ & 0xFF; }

 private:
  int code_;
};

struct ConnectionCloser {
  void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

// Opens `path` with `flags` (SQLITE_OPEN_*); throws on failure.
Connection open(const std::string& path, int flags);

// Runs SQL without results (pragmas, schema, transaction control).
void exec(sqlite3* db, const char* sql);

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  Statement(Statement&&) noexcept = default;
  Statement& operator=(Statement&&) noexcept = default;

  // Binds are 1-based, as in SQLite.
  Statement& bind(int index, std::int64_t value);
  Statement& bindBlob(int index, std::string_view bytes);
  Statement& bindNull(int index);

  // Advances; true while a row is available.
  bool step();
  // Resets for another run and clears the bindings.
  void reset();

  std::int64_t columnInt(int index) const;
  std::string columnBlob(int index) const;
  // The bytes of a column without a copy, valid until the next step or reset.
  std::string_view columnView(int index) const;
  bool columnIsNull(int index) const;
  sqlite3_stmt* raw() const { return stmt_.get(); }

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
  };
  sqlite3* db_;
  std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
};

// A transaction that rolls back unless committed. `immediate` takes the write
// lock at the start, so a writer never fails half-way on a lock upgrade.
class Transaction {
 public:
  Transaction(sqlite3* db, bool immediate);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  sqlite3* db_;
  bool open_ = true;
};

}  // namespace zs::platform::sqlite
