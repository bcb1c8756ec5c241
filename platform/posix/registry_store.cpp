#include "platform/posix/registry_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/posix/name_fold.h"

namespace zs::platform::posix {

namespace {

constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kSchema = R"sql(
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
INSERT INTO keys(id, parent, name, folded) VALUES
  (1, 0, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),
  (2, 0, 'HKEY_USERS', 'hkey_users'),
  (3, 0, 'HKEY_CURRENT_USER', 'hkey_current_user');
PRAGMA user_version = 1;
)sql";

bool isTree(KeyId key) {
  return key == kLocalMachineTree || key == kUsersTree || key == kCurrentUserTree;
}

LONG statusOf(const sqlite::SqliteError& e) {
  switch (e.primary()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kErrorBusy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN: return kErrorAccessDenied;
    case SQLITE_FULL: return kErrorDiskFull;
    case SQLITE_NOMEM: return kErrorOutOfMemory;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return kErrorBadDb;
    case SQLITE_TOOBIG: return kErrorInvalidParameter;
    default: return kErrorRegistryIoFailed;
  }
}

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

// Creates the folder of a store file and any missing parents.
void makeParents(const std::string& file, mode_t mode) {
  const auto slash = file.rfind('/');
  if (slash == std::string::npos || slash == 0) return;
  const std::string dir = file.substr(0, slash);
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return;
  makeParents(dir, mode);
  ::mkdir(dir.c_str(), mode);
}

}  // namespace

struct RegistryStore::Statements {
  explicit Statements(sqlite3* db)
      : keyExists(db, "SELECT 1 FROM keys WHERE id = ?1"),
        child(db, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2"),
        insertKey(db, "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)"),
        hasChild(db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1"),
        deleteValues(db, "DELETE FROM vals WHERE key = ?1"),
        deleteKeyRow(db, "DELETE FROM keys WHERE id = ?1"),
        upsertValue(db,
                    "INSERT INTO vals(key, folded, seq, name, type, data) VALUES(?1, ?2, "
                    "(SELECT coalesce(max(seq), 0) + 1 FROM vals WHERE key = ?1), ?3, ?4, ?5) "
                    "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, "
                    "data = excluded.data"),
        queryValue(db, "SELECT name, type, data FROM vals WHERE key = ?1 AND folded = ?2"),
        deleteValue(db, "DELETE FROM vals WHERE key = ?1 AND folded = ?2"),
        keyAt(db,
              "SELECT name, folded FROM keys WHERE parent = ?1 ORDER BY folded "
              "LIMIT 1 OFFSET ?2"),
        keyAfter(db,
                 "SELECT name, folded FROM keys WHERE parent = ?1 AND folded > ?2 "
                 "ORDER BY folded LIMIT 1"),
        keySame(db, "SELECT name, folded FROM keys WHERE parent = ?1 AND folded = ?2"),
        valueAt(db,
                "SELECT name, type, data, seq FROM vals WHERE key = ?1 ORDER BY seq "
                "LIMIT 1 OFFSET ?2"),
        valueAfter(db,
                   "SELECT name, type, data, seq FROM vals WHERE key = ?1 AND seq > ?2 "
                   "ORDER BY seq LIMIT 1"),
        valueSame(db, "SELECT name, type, data, seq FROM vals WHERE key = ?1 AND seq = ?2"),
        dataVersion(db, "PRAGMA data_version") {}

  sqlite::Statement keyExists, child, insertKey, hasChild, deleteValues, deleteKeyRow,
      upsertValue, queryValue, deleteValue, keyAt, keyAfter, keySame, valueAt, valueAfter,
      valueSame, dataVersion;
};

RegistryStore::RegistryStore(Kind kind, std::string path) : kind_(kind), path_(std::move(path)) {}

RegistryStore::~RegistryStore() {
  statements_.reset();  // statements before their connection
}

LONG RegistryStore::ensureOpen() {
  if (state_ == State::Open) return kErrorSuccess;
  if (state_ == State::BadVersion) return kErrorBadDb;
  if (kind_ == Kind::Empty) {
    state_ = State::Absent;
    return kErrorSuccess;
  }
  try {
    if (kind_ == Kind::Memory) {
      db_ = sqlite::open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
      configure(true);
    } else {
      openFile();
    }
  } catch (const sqlite::SqliteError& e) {
    statements_.reset();
    db_.reset();
    state_ = State::Closed;
    return statusOf(e);
  }
  return state_ == State::BadVersion ? kErrorBadDb : kErrorSuccess;
}

void RegistryStore::openFile() {
  const mode_t mode = kind_ == Kind::UserFile ? 0600 : 0644;
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    if (errno != ENOENT) {
      state_ = State::Absent;
      return;
    }
    makeParents(path_, kind_ == Kind::UserFile ? 0700 : 0755);
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      ::fchmod(fd, mode);  // the process umask does not narrow or widen it
      ::close(fd);
    } else if (errno != EEXIST) {
      state_ = State::Absent;  // nothing to read; every write is denied
      return;
    }
  }
  // Without write permission SQLite opens the file read-only.
  db_ = sqlite::open(path_, SQLITE_OPEN_READWRITE);
  configure(sqlite3_db_readonly(db_.get(), "main") == 0);
}

void RegistryStore::configure(bool writableFile) {
  sqlite3* db = db_.get();
  readOnly_ = !writableFile;
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (writableFile && kind_ != Kind::Memory) {
    sqlite::exec(db, "PRAGMA journal_mode = WAL");
    sqlite::exec(db, "PRAGMA synchronous = FULL");
    // Keep the -wal and -shm files after the last connection closes, so that a
    // reader without write access to the folder can still open the hive.
    int persist = 1;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
  }
  std::int64_t version = 0;
  {
    sqlite::Statement s(db, "PRAGMA user_version");
    if (s.step()) version = s.columnInt(0);
  }
  if (version == 0 && writableFile) {
    createSchema();
    version = kSchemaVersion;
  }
  if (version > kSchemaVersion) {
    statements_.reset();
    db_.reset();
    state_ = State::BadVersion;
    return;
  }
  schemaPresent_ = version == kSchemaVersion;
  if (schemaPresent_) statements_ = std::make_unique<Statements>(db);
  state_ = State::Open;
}

void RegistryStore::createSchema() {
  sqlite::Transaction t(db_.get(), true);
  sqlite::Statement s(db_.get(), "PRAGMA user_version");
  // Another process may have created it while this one waited for the lock.
  if (s.step() && s.columnInt(0) != 0) return;
  s.reset();
  sqlite::exec(db_.get(), kSchema);
  t.commit();
}

LONG RegistryStore::guarded(const std::function<LONG()>& body) {
  const LONG opened = ensureOpen();
  if (opened != kErrorSuccess) return opened;
  try {
    return body();
  } catch (const sqlite::SqliteError& e) {
    return statusOf(e);
  } catch (const std::bad_alloc&) {
    return kErrorOutOfMemory;
  }
}

bool RegistryStore::writable() {
  return ensureOpen() == kErrorSuccess && state_ == State::Open && !readOnly_ && schemaPresent_;
}

bool RegistryStore::keyExists(KeyId key) {
  Run q(statements_->keyExists);
  q->bind(1, key);
  return q->step();
}

std::optional<KeyId> RegistryStore::child(KeyId parent, const std::string& folded) {
  Run q(statements_->child);
  q->bind(1, parent).bindBlob(2, folded);
  if (!q->step()) return std::nullopt;
  return q->columnInt(0);
}

std::uint64_t RegistryStore::changeStamp() {
  Run q(statements_->dataVersion);
  const std::uint64_t version = q->step() ? static_cast<std::uint64_t>(q->columnInt(0)) : 0;
  return (version << 32) ^ localWrites_;
}

LONG RegistryStore::openKey(KeyId base, const KeyPath& path, KeyId* result) {
  return guarded([&]() -> LONG {
    if (state_ != State::Open || !schemaPresent_) {
      if (!isTree(base)) return kErrorKeyDeleted;
      if (!path.empty()) return kErrorFileNotFound;
      *result = base;
      return kErrorSuccess;
    }
    sqlite::Transaction t(db_.get(), false);
    if (!keyExists(base)) return kErrorKeyDeleted;
    KeyId current = base;
    for (const auto& part : path) {
      const auto next = child(current, foldName(part));
      if (!next) return kErrorFileNotFound;
      current = *next;
    }
    t.commit();
    *result = current;
    return kErrorSuccess;
  });
}

LONG RegistryStore::createKey(KeyId base, const KeyPath& path, bool mayCreate, KeyId* result) {
  if (!mayCreate || !writable()) {
    const LONG status = openKey(base, path, result);
    return status == kErrorFileNotFound ? kErrorAccessDenied : status;
  }
  return guarded([&]() -> LONG {
    sqlite::Transaction t(db_.get(), true);
    if (!keyExists(base)) return kErrorKeyDeleted;
    KeyId current = base;
    bool changed = false;
    for (const auto& part : path) {
      std::string folded = foldName(part);
      if (const auto next = child(current, folded)) {
        current = *next;
        continue;
      }
      Run insert(statements_->insertKey);
      insert->bind(1, current).bindBlob(2, part).bindBlob(3, folded);
      insert->step();
      current = sqlite3_last_insert_rowid(db_.get());
      changed = true;
    }
    t.commit();
    if (changed) ++localWrites_;
    *result = current;
    return kErrorSuccess;
  });
}

LONG RegistryStore::deleteKey(KeyId base, const KeyPath& path) {
  KeyId target = 0;
  const LONG found = openKey(base, path, &target);
  if (found != kErrorSuccess) return found;
  if (isTree(target) || !writable()) return kErrorAccessDenied;
  return guarded([&]() -> LONG {
    sqlite::Transaction t(db_.get(), true);
    // Looked up again inside the write transaction: another process may have
    // changed the tree since.
    if (!keyExists(base)) return kErrorKeyDeleted;
    KeyId current = base;
    for (const auto& part : path) {
      const auto next = child(current, foldName(part));
      if (!next) return kErrorFileNotFound;
      current = *next;
    }
    {
      Run q(statements_->hasChild);
      q->bind(1, current);
      if (q->step()) return kErrorAccessDenied;
    }
    {
      Run q(statements_->deleteValues);
      q->bind(1, current);
      q->step();
    }
    {
      Run q(statements_->deleteKeyRow);
      q->bind(1, current);
      q->step();
    }
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

LONG RegistryStore::setValue(KeyId key, std::string_view name, DWORD type,
                             std::string_view data) {
  if (data.size() > kMaxValueData) return kErrorInvalidParameter;
  if (!writable()) {
    const LONG status = ensureOpen();
    if (status != kErrorSuccess) return status;
    KeyId ignored = 0;
    const LONG exists = openKey(key, {}, &ignored);
    return exists == kErrorSuccess ? kErrorAccessDenied : exists;
  }
  return guarded([&]() -> LONG {
    sqlite::Transaction t(db_.get(), true);
    if (!keyExists(key)) return kErrorKeyDeleted;
    Run q(statements_->upsertValue);
    q->bind(1, key).bindBlob(2, foldName(name)).bindBlob(3, name).bind(4, type).bindBlob(5, data);
    q->step();
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

LONG RegistryStore::queryValue(KeyId key, std::string_view name, StoredValue* result) {
  return guarded([&]() -> LONG {
    if (state_ != State::Open || !schemaPresent_) {
      return isTree(key) ? kErrorFileNotFound : kErrorKeyDeleted;
    }
    sqlite::Transaction t(db_.get(), false);
    if (!keyExists(key)) return kErrorKeyDeleted;
    Run q(statements_->queryValue);
    q->bind(1, key).bindBlob(2, foldName(name));
    if (!q->step()) return kErrorFileNotFound;
    result->name = q->columnBlob(0);
    result->type = static_cast<DWORD>(q->columnInt(1));
    result->data = q->columnBlob(2);
    return kErrorSuccess;
  });
}

LONG RegistryStore::deleteValue(KeyId key, std::string_view name) {
  StoredValue existing;
  const LONG found = queryValue(key, name, &existing);
  if (found != kErrorSuccess) return found;
  if (!writable()) return kErrorAccessDenied;
  return guarded([&]() -> LONG {
    sqlite::Transaction t(db_.get(), true);
    if (!keyExists(key)) return kErrorKeyDeleted;
    Run q(statements_->deleteValue);
    q->bind(1, key).bindBlob(2, foldName(name));
    q->step();
    if (sqlite3_changes(db_.get()) == 0) return kErrorFileNotFound;
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

LONG RegistryStore::enumKey(KeyId key, DWORD index, std::string* name, EnumCursor& cursor) {
  return guarded([&]() -> LONG {
    if (state_ != State::Open || !schemaPresent_) {
      return isTree(key) ? kErrorNoMoreItems : kErrorKeyDeleted;
    }
    sqlite::Transaction t(db_.get(), false);
    if (!keyExists(key)) return kErrorKeyDeleted;
    const std::uint64_t stamp = changeStamp();
    const bool current = cursor.valid && cursor.stamp == stamp;
    sqlite::Statement* s = &statements_->keyAt;
    if (current && index == cursor.index + 1) {
      s = &statements_->keyAfter;
    } else if (current && index == cursor.index) {
      s = &statements_->keySame;
    }
    Run q(*s);
    q->bind(1, key);
    if (s == &statements_->keyAt) {
      q->bind(2, static_cast<std::int64_t>(index));
    } else {
      q->bindBlob(2, cursor.folded);
    }
    if (!q->step()) {
      cursor.valid = false;
      return kErrorNoMoreItems;
    }
    *name = q->columnBlob(0);
    cursor = EnumCursor{true, index, stamp, q->columnBlob(1), 0};
    return kErrorSuccess;
  });
}

LONG RegistryStore::enumValue(KeyId key, DWORD index, StoredValue* result, EnumCursor& cursor) {
  return guarded([&]() -> LONG {
    if (state_ != State::Open || !schemaPresent_) {
      return isTree(key) ? kErrorNoMoreItems : kErrorKeyDeleted;
    }
    sqlite::Transaction t(db_.get(), false);
    if (!keyExists(key)) return kErrorKeyDeleted;
    const std::uint64_t stamp = changeStamp();
    const bool current = cursor.valid && cursor.stamp == stamp;
    sqlite::Statement* s = &statements_->valueAt;
    std::int64_t position = index;
    if (current && index == cursor.index + 1) {
      s = &statements_->valueAfter;
      position = cursor.sequence;
    } else if (current && index == cursor.index) {
      s = &statements_->valueSame;
      position = cursor.sequence;
    }
    Run q(*s);
    q->bind(1, key).bind(2, position);
    if (!q->step()) {
      cursor.valid = false;
      return kErrorNoMoreItems;
    }
    result->name = q->columnBlob(0);
    result->type = static_cast<DWORD>(q->columnInt(1));
    result->data = q->columnBlob(2);
    cursor = EnumCursor{true, index, stamp, {}, q->columnInt(3)};
    return kErrorSuccess;
  });
}

}  // namespace zs::platform::posix
