// One registry hive kept in an SQLite database file.
//
// A hive holds trees of keys; each key has a name (stored as given, compared
// through its case-folded form), sub-keys and values. Values keep the order in
// which they were first written; sub-keys enumerate in folded-name order.
// Every write is one transaction. The file is opened on first use; a file that
// cannot be written (permissions) is used read-only and every write gives
// kErrorAccessDenied; a file that does not exist and cannot be created reads
// as an empty hive.
#pragma once

#include <cstdint>
#include <functional>
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

// Largest value data accepted, in bytes.
inline constexpr std::size_t kMaxValueData = 16u * 1024u * 1024u;

struct StoredValue {
  std::string name;
  DWORD type = kRegNone;
  std::string data;
};

// Where an enumeration of one handle stands, so that walking index 0, 1, 2...
// costs one indexed step per entry rather than a scan from the start. It is
// discarded whenever the hive changed in between.
struct EnumCursor {
  bool valid = false;
  DWORD index = 0;
  std::uint64_t stamp = 0;
  std::string folded;       // keys: folded name of the entry at `index`
  std::int64_t sequence = 0;  // values: order number of the entry at `index`
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

  RegistryStore(Kind kind, std::string path = {});
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
  LONG enumKey(KeyId key, DWORD index, std::string* name, EnumCursor& cursor);
  LONG enumValue(KeyId key, DWORD index, StoredValue* result, EnumCursor& cursor);

 private:
  enum class State { Closed, Open, Absent, BadVersion };
  struct Statements;

  // Opens the database if it is not open yet; the status of failing to.
  LONG ensureOpen();
  void openFile();
  void configure(bool writableFile);
  void createSchema();
  // Runs `body` with the store open, mapping SQLite failures to a status.
  LONG guarded(const std::function<LONG()>& body);
  bool keyExists(KeyId key);
  std::optional<KeyId> child(KeyId parent, const std::string& folded);
  std::uint64_t changeStamp();

  Kind kind_;
  std::string path_;
  State state_ = State::Closed;
  bool readOnly_ = false;
  bool schemaPresent_ = false;
  std::uint64_t localWrites_ = 0;
  sqlite::Connection db_;
  std::unique_ptr<Statements> statements_;
};

}  // namespace zs::platform::posix
