#include "platform/posix/sqlite.h"

namespace zs::platform::sqlite {

namespace {

[[noreturn]] void fail(sqlite3* db, int code) {
  std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
  throw SqliteError(db != nullptr ? sqlite3_extended_errcode(db) : code, message);
}

}  // namespace

Connection open(const std::string& path, int flags) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  Connection db(raw);
  if (rc != SQLITE_OK) {
    std::string message = raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
    throw SqliteError(rc, message + ": " + path);
  }
  sqlite3_extended_result_codes(raw, 1);
  return db;
}

void exec(sqlite3* db, const char* sql) {
  const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail(db, rc);
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  sqlite3_stmt* raw = nullptr;
  const int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
  stmt_.reset(raw);
  if (rc != SQLITE_OK) fail(db, rc);
}

Statement& Statement::bind(int index, std::int64_t value) {
  const int rc = sqlite3_bind_int64(stmt_.get(), index, value);
  if (rc != SQLITE_OK) fail(db_, rc);
  return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
  // A zero-length blob, not NULL, for empty names and empty data.
  const int rc = bytes.empty()
                     ? sqlite3_bind_zeroblob(stmt_.get(), index, 0)
                     : sqlite3_bind_blob64(stmt_.get(), index, bytes.data(), bytes.size(),
                                           SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) fail(db_, rc);
  return *this;
}

Statement& Statement::bindNull(int index) {
  const int rc = sqlite3_bind_null(stmt_.get(), index);
  if (rc != SQLITE_OK) fail(db_, rc);
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_.get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_.get());
  fail(db_, rc);
}

void Statement::reset() {
  sqlite3_reset(stmt_.get());
  sqlite3_clear_bindings(stmt_.get());
}

std::int64_t Statement::columnInt(int index) const {
  return sqlite3_column_int64(stmt_.get(), index);
}

std::string Statement::columnBlob(int index) const { return std::string(columnView(index)); }

std::string_view Statement::columnView(int index) const {
  const void* data = sqlite3_column_blob(stmt_.get(), index);
  const int size = sqlite3_column_bytes(stmt_.get(), index);
  if (data == nullptr || size <= 0) return {};
  return std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

bool Statement::columnIsNull(int index) const {
  return sqlite3_column_type(stmt_.get(), index) == SQLITE_NULL;
}

Transaction::Transaction(sqlite3* db, bool immediate) : db_(db) {
  exec(db, immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  exec(db_, "COMMIT");
  open_ = false;
}

}  // namespace zs::platform::sqlite
