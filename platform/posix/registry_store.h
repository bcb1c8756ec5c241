// One registry hive kept in an SQLite database file.
//
// A hive holds trees of keys; each key has a name (stored as given, compared
// through its folded form, platform/posix/utf8_fold.h), sub-keys and values.
// Values keep the order in which they were first written; sub-keys enumerate
// in folded-name order. Every write is one transaction.
//
// The file is opened on first use and checked before anything is written to
// it (platform/posix/store_schema.h): a file that is damaged, of another
// version or schema, or not a regular file at all answers kErrorBadDb to
// every call for the life of the store, and is never changed. A file that
// cannot be written (permissions) is used read-only and every write gives
// kErrorAccessDenied; a file that does not exist and cannot be created reads
// as an empty hive.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/sqlite.h"
#include "platform/types.h"

namespace zs::platform::posix {

using KeyId = std::int64_t;

// The fixed ids of the tree roots that every hive file holds.
inline constexpr KeyId kLocalMachineTree = 1;
inline constexpr KeyId kUsersTree = 2;
inline constexpr KeyId kCurrentUserTree = 3;

inline bool isTree(KeyId key) {
  return key == kLocalMachineTree || key == kUsersTree || key == kCurrentUserTree;
}

// Largest value data accepted, in bytes.
inline constexpr std::size_t kMaxValueData = 16u * 1024u * 1024u;

struct StoredValue {
  std::string name;
  DWORD type = kRegNone;
  std::string data;
};

// One entry of an enumeration as the caller gets it: views that stay valid
// until the next call with the same snapshot.
struct EnumItem {
  std::string_view name;
  DWORD type = kRegNone;
  std::string_view data;
};

// One entry of a snapshot: a sub-key (its name) or a value, its bytes kept
// in the snapshot's `bytes`.
struct EnumEntry {
  std::size_t name = 0, data = 0;          // offsets in `bytes`
  std::uint32_t nameSize = 0, dataSize = 0;
  DWORD type = kRegNone;
  bool held = true;           // values: false when the data is read when asked for
  std::int64_t sequence = 0;  // values: the order number
};

// What one handle's enumeration reads from: the key's entries as one
// statement saw them. It is read when an enumeration starts (index 0) and the
// store changed since, or when this store was written to since it was read;
// the later indexes are served from it.
struct EnumSnapshot {
  bool valid = false;
  KeyId key = 0;
  std::uint64_t dataVersion = 0;  // of the file, as other connections change it
  std::uint64_t writes = 0;       // of this store
  std::string bytes;                  // every name and held data, one after another
  std::vector<EnumEntry> entries;     // as read
  std::vector<std::uint32_t> order;   // entries by enumeration index
  StoredValue fetched;                // data read when asked for
};

using KeyPath = std::vector<std::string>;

class RegistryStore {
 public:
  enum class Kind {
    UserFile,     // created with mode 0600
    MachineFile,  // created with mode 0644
    Memory,       // private, in-memory (tests and fakes)
    Empty,        // no storage: reads see an empty hive, writes are denied
  };

  RegistryStore(Kind kind, std::string path = {}, int busyTimeoutMs = 5000);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  const std::string& path() const { return path_; }

  // Whether writes can succeed (opens the file if needed).
  bool writable();

  // Finds `path` below `base`: kErrorFileNotFound when a level is missing,
  // kErrorKeyDeleted when `base` no longer exists.
  LONG openKey(KeyId base, const KeyPath& path, KeyId* result);
  // Finds or creates every level of `path` below `base`. With `mayCreate`
  // false, or on a read-only hive, a missing level gives kErrorAccessDenied.
  LONG createKey(KeyId base, const KeyPath& path, bool mayCreate, KeyId* result);
  // Deletes the key at `path` below `base` (an empty path: `base` itself) with
  // its values; a key with sub-keys, or a tree root, gives kErrorAccessDenied.
  LONG deleteKey(KeyId base, const KeyPath& path);

  LONG setValue(KeyId key, std::string_view name, DWORD type, std::string_view data);
  LONG queryValue(KeyId key, std::string_view name, StoredValue* result);
  LONG deleteValue(KeyId key, std::string_view name);
  // The entry at `index` of `snapshot`'s enumeration of `key` (for sub-keys
  // only the name).
  LONG enumKey(KeyId key, DWORD index, EnumSnapshot& snapshot, EnumItem* item);
  LONG enumValue(KeyId key, DWORD index, EnumSnapshot& snapshot, EnumItem* item);

 private:
  enum class State { Closed, Open, Absent, Damaged };
  enum class Listing { Keys, Values };
  struct Statements;
  class WriteTransaction;

  // Opens the database if it is not open yet; the status of failing to.
  LONG ensureOpen();
  void openFile();
  void finishOpen(bool writableFile, bool schemaPresent);
  // Runs `body` with the store open, mapping SQLite failures to a status; a
  // failure that shows damage closes the file for good.
  template <typename Body>
  LONG guarded(Body&& body);
  void markDamaged();
  bool canWrite() const;
  bool keyExists(KeyId key);
  std::optional<KeyId> child(KeyId parent, const std::string& folded);
  LONG lookup(KeyId base, const KeyPath& path, KeyId* result);
  // openKey() on a hive without tables: only the tree roots are there.
  LONG emptyHive(KeyId base, const KeyPath& path, KeyId* result) const;
  // After deleting the entry `folded` under `owner`: a name kept under a
  // numbered form (store_schema.h) takes its place.
  void promote(sqlite::Statement& promoter, KeyId owner, const std::string& folded);
  std::uint64_t dataVersion();
  // The snapshot to serve `index` of `key` from, read again when needed.
  LONG prepareSnapshot(Listing listing, KeyId key, DWORD index, EnumSnapshot& snapshot);
  LONG readSnapshot(Listing listing, KeyId key, std::uint64_t version, EnumSnapshot& snapshot);
  LONG enumEntry(Listing listing, KeyId key, DWORD index, EnumSnapshot& snapshot,
                 EnumItem* item);

  Kind kind_;
  std::string path_;
  int busyTimeoutMs_;
  State state_ = State::Closed;
  bool readOnly_ = false;
  bool schemaPresent_ = false;
  bool lowerCaseFile_ = false;  // a read-only version-1 file, folded as it is read
  std::uint64_t localWrites_ = 0;
  sqlite::Connection db_;
  std::unique_ptr<Statements> statements_;
};

}  // namespace zs::platform::posix
