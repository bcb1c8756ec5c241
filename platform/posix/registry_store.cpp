#include "platform/posix/registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <new>

#include "platform/posix/store_schema.h"
#include "platform/posix/store_statements.h"
#include "platform/posix/utf8_fold.h"

namespace zs::platform::posix {

namespace {

// Paths of up to this many levels are looked up in one statement.
constexpr std::size_t kJoinedLevels = 8;

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

// zs_fold(name): the folded form of a name, for reading a version-1 file that
// cannot be written and so keeps its old folded forms.
void foldFunction(sqlite3_context* context, int /*count*/, sqlite3_value** args) {
  const auto* bytes = static_cast<const char*>(sqlite3_value_blob(args[0]));
  const int size = sqlite3_value_bytes(args[0]);
  const std::string folded =
      foldName(bytes != nullptr ? std::string_view(bytes, static_cast<std::size_t>(size))
                                : std::string_view());
  sqlite3_result_blob64(context, folded.data(), folded.size(), SQLITE_TRANSIENT);
}

}  // namespace

RegistryStore::RegistryStore(Kind kind, std::string path, int busyTimeoutMs)
    : kind_(kind), path_(std::move(path)), busyTimeoutMs_(busyTimeoutMs) {}

RegistryStore::~RegistryStore() {
  statements_.reset();  // statements before their connection
}

LONG RegistryStore::ensureOpen() {
  if (state_ == State::Open) return kErrorSuccess;
  if (state_ == State::Damaged) return kErrorBadDb;
  if (kind_ == Kind::Empty) {
    state_ = State::Absent;
    return kErrorSuccess;
  }
  try {
    if (kind_ == Kind::Memory) {
      db_ = sqlite::open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
      schema::create(db_.get());
      finishOpen(true, true);
    } else {
      openFile();
    }
  } catch (const sqlite::SqliteError& e) {
    statements_.reset();
    db_.reset();
    const LONG status = statusOf(e);
    state_ = status == kErrorBadDb ? State::Damaged : State::Closed;
    return status;
  } catch (const std::bad_alloc&) {
    statements_.reset();
    db_.reset();
    state_ = State::Closed;
    return kErrorOutOfMemory;
  }
  return state_ == State::Damaged ? kErrorBadDb : kErrorSuccess;
}

namespace {

// Serialises the setting-up of a file (the check, the journal mode, the
// tables) between the processes that open it at once: SQLite locks each of
// those steps on its own, and a file another process is half-way through
// setting up must neither read as damaged nor fail the switch to WAL. An
// flock on its own descriptor is independent of SQLite's fcntl locks. A
// process that cannot open the file for reading sets nothing up and takes no
// lock.
class SetupLock {
 public:
  SetupLock(const std::string& path, int timeoutMs)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
        ::close(fd_);
        throw sqlite::SqliteError(SQLITE_BUSY, "the store is being set up by another process");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ~SetupLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
  }
  SetupLock(const SetupLock&) = delete;
  SetupLock& operator=(const SetupLock&) = delete;

 private:
  int fd_;
};

}  // namespace

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
  } else if (!S_ISREG(st.st_mode)) {
    state_ = State::Damaged;  // a folder, a FIFO or a device where the file belongs
    return;
  }
  const SetupLock setup(path_, busyTimeoutMs_);
  // Without write permission SQLite opens the file read-only.
  db_ = sqlite::open(path_, SQLITE_OPEN_READWRITE);
  sqlite3* db = db_.get();
  // Nothing reaches a file before it has been checked, not even the
  // checkpoint SQLite runs when the last connection closes.
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_busy_timeout(db, busyTimeoutMs_);
  const bool writableFile = sqlite3_db_readonly(db, "main") == 0;
  const schema::FileState found = schema::inspect(db);
  if (found == schema::FileState::Damaged) {
    db_.reset();
    state_ = State::Damaged;
    return;
  }
  if (writableFile) {
    sqlite::exec(db, "PRAGMA journal_mode = WAL");
    sqlite::exec(db, "PRAGMA synchronous = FULL");
    // Keep the -wal and -shm files after the last connection closes, so that
    // a reader without write access to the folder can still open the hive.
    int persist = 1;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    if (found == schema::FileState::New) schema::create(db);
    if (found == schema::FileState::LowerCase) schema::refold(db);
  }
  lowerCaseFile_ = !writableFile && found == schema::FileState::LowerCase;
  if (lowerCaseFile_) {
    const int rc = sqlite3_create_function_v2(db, "zs_fold", 1,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              foldFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw sqlite::SqliteError(rc, "zs_fold");
  }
  // A new file that cannot be written has no tables: it reads as empty.
  finishOpen(writableFile, writableFile || found != schema::FileState::New);
}

void RegistryStore::finishOpen(bool writableFile, bool schemaPresent) {
  readOnly_ = !writableFile;
  schemaPresent_ = schemaPresent;
  if (schemaPresent_) {
    statements_ = std::make_unique<Statements>(db_.get(),
                                               lowerCaseFile_ ? kFoldedWhenRead : kStoredFolds);
  }
  state_ = State::Open;
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

void RegistryStore::markDamaged() {
  statements_.reset();
  db_.reset();
  state_ = State::Damaged;
}

bool RegistryStore::canWrite() const {
  return state_ == State::Open && !readOnly_ && schemaPresent_;
}

bool RegistryStore::writable() { return ensureOpen() == kErrorSuccess && canWrite(); }

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

LONG RegistryStore::emptyHive(KeyId base, const KeyPath& path, KeyId* result) const {
  if (!isTree(base)) return kErrorKeyDeleted;
  if (!path.empty()) return kErrorFileNotFound;
  *result = base;
  return kErrorSuccess;
}

// A path of a few levels is found in one statement (one read transaction).
// When that finds nothing, or for a longer path, each level is a statement
// of its own, which also tells a missing level from a missing base: a key
// found at one level may then be deleted by another process before the next,
// which later calls report as kErrorKeyDeleted, as for a key deleted just
// after it was opened.
LONG RegistryStore::lookup(KeyId base, const KeyPath& path, KeyId* result) {
  if (!path.empty() && path.size() <= kJoinedLevels && !lowerCaseFile_) {
    Run q(statements_->path(path.size()));
    q->bind(1, base);
    for (std::size_t i = 0; i < path.size(); ++i) {
      q->bindBlob(static_cast<int>(i + 2), foldName(path[i]));
    }
    if (q->step()) {
      *result = q->columnInt(0);
      return kErrorSuccess;
    }
  }
  KeyId current = base;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto next = child(current, foldName(path[i]));
    if (!next) return i == 0 && !keyExists(base) ? kErrorKeyDeleted : kErrorFileNotFound;
    current = *next;
  }
  // A key with a child exists; the key itself is looked for only without one.
  if (path.empty() && !keyExists(base)) return kErrorKeyDeleted;
  *result = current;
  return kErrorSuccess;
}

void RegistryStore::promote(sqlite::Statement& promoter, KeyId owner, const std::string& folded) {
  Run q(promoter);
  q->bind(1, owner).bindBlob(2, folded).bindBlob(3, folded + '\x01');
  q->step();
}

LONG RegistryStore::openKey(KeyId base, const KeyPath& path, KeyId* result) {
  return guarded([&]() -> LONG {
    if (!schemaPresent_) return emptyHive(base, path, result);
    return lookup(base, path, result);
  });
}

LONG RegistryStore::createKey(KeyId base, const KeyPath& path, bool mayCreate, KeyId* result) {
  return guarded([&]() -> LONG {
    // Most keys exist already: they are found without taking the write lock.
    const LONG found = schemaPresent_ ? lookup(base, path, result) : emptyHive(base, path, result);
    if (found != kErrorFileNotFound) return found;
    if (!mayCreate || !canWrite()) return kErrorAccessDenied;
    WriteTransaction t(*statements_);
    if (!keyExists(base)) return kErrorKeyDeleted;
    KeyId current = base;
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
    }
    t.commit();
    ++localWrites_;
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
    WriteTransaction t(*statements_);
    // Looked up again inside the write transaction: another process may have
    // changed the tree since.
    KeyId current = 0;
    if (const LONG s = lookup(base, path, &current); s != kErrorSuccess) return s;
    {
      Run q(statements_->hasChild);
      q->bind(1, current);
      if (q->step()) return kErrorAccessDenied;
    }
    KeyId parent = 0;
    std::string folded;
    {
      Run q(statements_->keyRow);
      q->bind(1, current);
      if (!q->step()) return kErrorKeyDeleted;
      parent = q->columnInt(0);
      folded = q->columnBlob(1);
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
    promote(statements_->promoteKey, parent, folded);
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

LONG RegistryStore::setValue(KeyId key, std::string_view name, DWORD type,
                             std::string_view data) {
  if (data.size() > kMaxValueData) return kErrorInvalidParameter;
  return guarded([&]() -> LONG {
    if (!canWrite()) {
      KeyId ignored = 0;
      const LONG exists = schemaPresent_ ? lookup(key, {}, &ignored) : emptyHive(key, {}, &ignored);
      return exists == kErrorSuccess ? kErrorAccessDenied : exists;
    }
    WriteTransaction t(*statements_);
    {
      Run q(statements_->upsertValue);
      q->bind(1, key).bindBlob(2, foldName(name)).bindBlob(3, name).bind(4, type).bindBlob(5, data);
      q->step();
    }
    if (sqlite3_changes(db_.get()) == 0) return kErrorKeyDeleted;
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

LONG RegistryStore::queryValue(KeyId key, std::string_view name, StoredValue* result) {
  return guarded([&]() -> LONG {
    if (!schemaPresent_) return isTree(key) ? kErrorFileNotFound : kErrorKeyDeleted;
    // One statement: the key's row, joined with the value's when there is one.
    Run q(statements_->queryValue);
    q->bind(1, key).bindBlob(2, foldName(name));
    if (!q->step()) return kErrorKeyDeleted;
    if (q->columnIsNull(1)) return kErrorFileNotFound;
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
    WriteTransaction t(*statements_);
    if (!keyExists(key)) return kErrorKeyDeleted;
    const std::string folded = foldName(name);
    {
      Run q(statements_->deleteValue);
      q->bind(1, key).bindBlob(2, folded);
      q->step();
    }
    if (sqlite3_changes(db_.get()) == 0) return kErrorFileNotFound;
    promote(statements_->promoteValue, key, folded);
    t.commit();
    ++localWrites_;
    return kErrorSuccess;
  });
}

}  // namespace zs::platform::posix
