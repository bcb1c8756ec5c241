// The prepared statements of an open store file and the helpers that run
// them, shared by the store's sources (registry_store.cpp and
// registry_store_enum.cpp); nothing else includes this.
#pragma once

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/posix/registry_store.h"
#include "platform/posix/sqlite.h"

namespace zs::platform::posix {

// The status of an SQLite failure.
LONG statusOf(const sqlite::SqliteError& e);

// Resets a cached statement when the scope that ran it ends, so that no
// statement keeps a read snapshot open between calls.
class Run {
 public:
  explicit Run(sqlite::Statement& s) : s_(s) { s_.reset(); }
  ~Run() { s_.reset(); }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;
  sqlite::Statement* operator->() { return &s_; }

 private:
  sqlite::Statement& s_;
};

// The statements that look names up, by the stored folded form or, in a
// version-1 file read as it is, by folding each name as it is read.
struct FoldedSql {
  const char* child;
  const char* queryValue;
  const char* listKeys;
};

inline constexpr FoldedSql kStoredFolds{
    "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2",
    "SELECT v.name, v.type, v.data FROM keys k "
    "LEFT JOIN vals v ON v.key = k.id AND v.folded = ?2 WHERE k.id = ?1",
    "SELECT c.name, c.id IS NULL FROM keys k LEFT JOIN keys c ON c.parent = k.id "
    "WHERE k.id = ?1 ORDER BY c.folded"};

inline constexpr FoldedSql kFoldedWhenRead{
    "SELECT id FROM keys WHERE parent = ?1 AND zs_fold(name) = ?2 ORDER BY id LIMIT 1",
    "SELECT v.name, v.type, v.data FROM keys k "
    "LEFT JOIN vals v ON v.key = k.id AND zs_fold(v.name) = ?2 WHERE k.id = ?1 "
    "ORDER BY v.seq LIMIT 1",
    "SELECT c.name, c.id IS NULL FROM keys k LEFT JOIN keys c ON c.parent = k.id "
    "WHERE k.id = ?1 ORDER BY zs_fold(c.name), c.id"};

struct RegistryStore::Statements {
  Statements(sqlite3* db, const FoldedSql& folds)
      : db(db),
        keyExists(db, "SELECT 1 FROM keys WHERE id = ?1"),
        keyRow(db, "SELECT parent, folded FROM keys WHERE id = ?1"),
        child(db, folds.child),
        insertKey(db, "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)"),
        hasChild(db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1"),
        deleteValues(db, "DELETE FROM vals WHERE key = ?1"),
        deleteKeyRow(db, "DELETE FROM keys WHERE id = ?1"),
        promoteKey(db,
                   "UPDATE keys SET folded = ?2 WHERE id = (SELECT id FROM keys WHERE "
                   "parent = ?1 AND folded > ?2 AND folded < ?3 ORDER BY folded LIMIT 1)"),
        // Writes nothing when the key is gone (no row of keys to select).
        upsertValue(db,
                    "INSERT INTO vals(key, folded, seq, name, type, data) SELECT ?1, ?2, "
                    "(SELECT coalesce(max(seq), 0) + 1 FROM vals WHERE key = ?1), ?3, ?4, ?5 "
                    "FROM keys WHERE id = ?1 "
                    "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, "
                    "data = excluded.data"),
        queryValue(db, folds.queryValue),
        deleteValue(db, "DELETE FROM vals WHERE key = ?1 AND folded = ?2"),
        promoteValue(db,
                     "UPDATE vals SET folded = ?2 WHERE key = ?1 AND folded = (SELECT folded "
                     "FROM vals WHERE key = ?1 AND folded > ?2 AND folded < ?3 "
                     "ORDER BY folded LIMIT 1)"),
        listKeys(db, folds.listKeys),
        // In the order of the primary key, one step per row; writeOrder()
        // then gives the enumeration order (through vals_in_order each row
        // would cost a look-up of its own).
        listValues(db,
                   "SELECT v.name, v.type, v.seq, CASE WHEN length(v.data) <= ?2 THEN v.data "
                   "END, v.seq IS NULL FROM keys k LEFT JOIN vals v ON v.key = k.id "
                   "WHERE k.id = ?1"),
        valueBySequence(db, "SELECT type, data FROM vals WHERE key = ?1 AND seq = ?2"),
        dataVersion(db, "PRAGMA data_version"),
        beginWrite(db, "BEGIN IMMEDIATE"),
        commit(db, "COMMIT"),
        rollback(db, "ROLLBACK") {}

  // The key `levels` levels below ?1 named by the folded names ?2, ?3...
  sqlite::Statement& path(std::size_t levels) {
    if (paths.size() < levels) paths.resize(levels);
    auto& statement = paths[levels - 1];
    if (!statement) {
      std::string sql = "SELECT k" + std::to_string(levels) + ".id FROM keys k1";
      for (std::size_t i = 2; i <= levels; ++i) {
        const std::string k = "k" + std::to_string(i);
        sql += " JOIN keys " + k + " ON " + k + ".parent = k" + std::to_string(i - 1) +
               ".id AND " + k + ".folded = ?" + std::to_string(i + 1);
      }
      sql += " WHERE k1.parent = ?1 AND k1.folded = ?2";
      statement = std::make_unique<sqlite::Statement>(db, sql);
    }
    return *statement;
  }

  sqlite3* db;
  std::vector<std::unique_ptr<sqlite::Statement>> paths;
  sqlite::Statement keyExists, keyRow, child, insertKey, hasChild, deleteValues, deleteKeyRow,
      promoteKey, upsertValue, queryValue, deleteValue, promoteValue, listKeys, listValues,
      valueBySequence, dataVersion, beginWrite, commit, rollback;
};

// A write transaction through the prepared statements: BEGIN IMMEDIATE takes
// the write lock at the start, so a writer never fails half-way on a lock
// upgrade; it rolls back unless committed.
class RegistryStore::WriteTransaction {
 public:
  explicit WriteTransaction(Statements& s) : s_(s) {
    Run begin(s_.beginWrite);
    begin->step();
  }
  ~WriteTransaction() {
    if (!open_) return;
    s_.rollback.reset();
    sqlite3_step(s_.rollback.raw());
    s_.rollback.reset();
  }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void commit() {
    Run q(s_.commit);
    q->step();
    open_ = false;
  }

 private:
  Statements& s_;
  bool open_ = true;
};

template <typename Body>
LONG RegistryStore::guarded(Body&& body) {
  const LONG opened = ensureOpen();
  if (opened != kErrorSuccess) return opened;
  try {
    return body();
  } catch (const sqlite::SqliteError& e) {
    const LONG status = statusOf(e);
    if (status == kErrorBadDb) markDamaged();
    return status;
  } catch (const std::bad_alloc&) {
    return kErrorOutOfMemory;
  }
}

}  // namespace zs::platform::posix
