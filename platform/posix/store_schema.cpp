#include "platform/posix/store_schema.h"

#include <string>
#include <tuple>
#include <vector>

#include "platform/posix/sqlite.h"
#include "platform/posix/utf8_fold.h"

namespace zs::platform::posix::schema {

namespace {

// The tables as every version has created them. SQLite keeps this text in
// the file and inspect() compares it: it must never change.
constexpr const char* kTables = R"sql(
CREATE TABLE keys(
  id     INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,
  name   BLOB NOT NULL,
  folded BLOB NOT NULL);
CREATE UNIQUE INDEX keys_by_name ON keys(parent, folded);
CREATE TABLE vals(
  key    INTEGER NOT NULL,
  folded BLOB NOT NULL,
  seq    INTEGER NOT NULL,
  name   BLOB NOT NULL,
  type   INTEGER NOT NULL,
  data   BLOB NOT NULL,
  PRIMARY KEY(key, folded)) WITHOUT ROWID;
CREATE UNIQUE INDEX vals_in_order ON vals(key, seq);
)sql";

constexpr const char* kRoots = R"sql(
INSERT INTO keys(id, parent, name, folded) VALUES
  (1, 0, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE'),
  (2, 0, 'HKEY_USERS', 'HKEY_USERS'),
  (3, 0, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER');
PRAGMA user_version = 2;
)sql";

using SchemaRow = std::tuple<std::string, std::string, std::string, std::string>;

// The file's tables and indexes (statistics tables of ANALYZE left out).
std::vector<SchemaRow> schemaOf(sqlite3* db) {
  sqlite::Statement s(db,
                      "SELECT type, name, tbl_name, coalesce(sql, '') FROM sqlite_master "
                      "WHERE name NOT LIKE 'sqlite\\_stat%' ESCAPE '\\' ORDER BY type, name");
  std::vector<SchemaRow> rows;
  while (s.step()) {
    rows.emplace_back(s.columnBlob(0), s.columnBlob(1), s.columnBlob(2), s.columnBlob(3));
  }
  return rows;
}

const std::vector<SchemaRow>& expectedSchema() {
  static const std::vector<SchemaRow> rows = [] {
    const sqlite::Connection db = sqlite::open(":memory:", SQLITE_OPEN_READWRITE);
    sqlite::exec(db.get(), kTables);
    return schemaOf(db.get());
  }();
  return rows;
}

std::int64_t userVersion(sqlite3* db) {
  sqlite::Statement s(db, "PRAGMA user_version");
  return s.step() ? s.columnInt(0) : 0;
}

bool quickCheckPasses(sqlite3* db) {
  sqlite::Statement s(db, "PRAGMA quick_check");
  if (!s.step() || s.columnBlob(0) != "ok") return false;
  return !s.step();
}

FileState inspectTables(sqlite3* db) {
  // One snapshot for every question: another process may set the file up
  // between two separate reads, and its version alone, or its tables alone,
  // would look like damage.
  sqlite::Transaction snapshot(db, false);
  const std::int64_t version = userVersion(db);
  const std::vector<SchemaRow> tables = schemaOf(db);
  if (version == 0) return tables.empty() ? FileState::New : FileState::Damaged;
  if (version != kCurrentVersion && version != kLowerCaseVersion) return FileState::Damaged;
  if (tables != expectedSchema() || !quickCheckPasses(db)) return FileState::Damaged;
  return version == kCurrentVersion ? FileState::Current : FileState::LowerCase;
}

// `folded`, or when `taken` finds it under `parent` already, the first of
// folded + "\0" + 1, 2... that is free.
std::string freeForm(sqlite::Statement& taken, std::int64_t parent, const std::string& folded) {
  std::string candidate = folded;
  for (int n = 1;; ++n) {
    taken.reset();
    taken.bind(1, parent).bindBlob(2, candidate);
    const bool used = taken.step();
    taken.reset();
    if (!used) return candidate;
    candidate = folded + std::string(1, '\0') + std::to_string(n);
  }
}

struct Named {
  std::int64_t owner;  // keys: parent; values: key
  std::int64_t id;     // keys: id; values: seq
  std::string name;
};

std::vector<Named> rows(sqlite3* db, const char* sql) {
  sqlite::Statement s(db, sql);
  std::vector<Named> all;
  while (s.step()) all.push_back(Named{s.columnInt(0), s.columnInt(1), s.columnBlob(2)});
  return all;
}

// Gives every row the new folded form, in the order the rows were written,
// after moving all of them out of the way (each to a form no name folds to).
void refoldTable(sqlite3* db, const char* clear, const char* select, const char* taken,
                 const char* update) {
  sqlite::exec(db, clear);
  const std::vector<Named> all = rows(db, select);
  sqlite::Statement isTaken(db, taken);
  sqlite::Statement set(db, update);
  for (const Named& row : all) {
    const std::string folded = freeForm(isTaken, row.owner, foldName(row.name));
    set.reset();
    set.bind(1, row.owner).bind(2, row.id).bindBlob(3, folded);
    set.step();
  }
}

}  // namespace

FileState inspect(sqlite3* db) {
  try {
    return inspectTables(db);
  } catch (const sqlite::SqliteError& e) {
    if (e.primary() == SQLITE_CORRUPT || e.primary() == SQLITE_NOTADB) return FileState::Damaged;
    throw;
  }
}

void create(sqlite3* db) {
  sqlite::Transaction t(db, true);
  // Another process may have set the file up while this one waited.
  if (userVersion(db) != 0 || !schemaOf(db).empty()) return;
  sqlite::exec(db, kTables);
  sqlite::exec(db, kRoots);
  t.commit();
}

void refold(sqlite3* db) {
  sqlite::Transaction t(db, true);
  if (userVersion(db) != kLowerCaseVersion) return;
  // The temporary forms are text, which never equals a folded name (a blob).
  refoldTable(db, "UPDATE keys SET folded = x'00' || id",
              "SELECT parent, id, name FROM keys ORDER BY id",
              "SELECT 1 FROM keys WHERE parent = ?1 AND folded = ?2",
              "UPDATE keys SET folded = ?3 WHERE id = ?2");
  refoldTable(db, "UPDATE vals SET folded = x'00' || seq",
              "SELECT key, seq, name FROM vals ORDER BY key, seq",
              "SELECT 1 FROM vals WHERE key = ?1 AND folded = ?2",
              "UPDATE vals SET folded = ?3 WHERE key = ?1 AND seq = ?2");
  sqlite::exec(db, "PRAGMA user_version = 2");
  t.commit();
}

}  // namespace zs::platform::posix::schema
