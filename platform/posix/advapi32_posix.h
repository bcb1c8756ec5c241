// The registry operations of advapi32 over the Linux registry store.
//
// Roots: HKEY_CURRENT_USER is the user file; HKEY_LOCAL_MACHINE and
// HKEY_USERS are two trees of the machine file; HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes and HKEY_CURRENT_CONFIG is
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Hardware Profiles\Current;
// HKEY_PERFORMANCE_DATA and HKEY_DYN_DATA are empty and cannot be written.
// Handles are checked like Windows handles: 0, a closed handle or one never
// issued gives kErrorInvalidHandle; the predefined roots are always valid.
// One instance may be used from several threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/advapi32.h"
#include "platform/posix/registry_store.h"
#include "platform/posix/store_location.h"

namespace zs::platform::posix {

class Advapi32Posix : public Advapi32 {
 public:
  explicit Advapi32Posix(const StoreLocation& location);
  ~Advapi32Posix() override;

  LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                     HKEY* result) override;
  LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override;
  LONG RegCloseKey(HKEY key) override;
  LONG RegDeleteKeyA(HKEY key, const char* subKey) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataLength) override;
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataLength) override;
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                      const BYTE* data, DWORD dataLength) override;

  BOOL GetUserNameA(char* buffer, DWORD* size) override;
  // Token calls without effect (token_posix.h).
  BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) override;
  BOOL LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) override;
  BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                             const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                             TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override;

  // Makes the machine hive read-only (as for a user without administrator
  // rights), whatever the file's permissions. For fakes and tests.
  void denyMachineWrites(bool deny) { denyMachineWrites_ = deny; }

 private:
  // What a handle stands for: a key of a store, or a path below a tree root
  // (the predefined roots; their path may name keys that do not exist yet).
  struct Target {
    RegistryStore* store = nullptr;
    KeyId key = 0;
    KeyPath prefix;
    REGSAM rights = 0;
    bool root = false;
    // The identity key, whose values the host answers where the store has none.
    bool host = false;
    EnumSnapshot* keySnapshot = nullptr;
    EnumSnapshot* valueSnapshot = nullptr;
  };
  struct Entry {
    std::uint32_t generation = 0;
    bool used = false;
    Target target;
    EnumSnapshot keySnapshot;
    EnumSnapshot valueSnapshot;
  };
  static constexpr int kRootCount = 7;

  LONG resolve(HKEY key, Target* target);
  // resolve() and then the sub-key path split into its names.
  LONG resolve(HKEY key, const char* subKey, Target* target, KeyPath* parts);
  // The key a target names, for an operation on the key itself; `create`
  // makes the levels of a root's path that are missing.
  LONG keyOf(const Target& target, bool create, KeyId* key);
  bool storeWritable(RegistryStore* store);
  LONG issue(const Target& target, HKEY* result);
  // Whether `path` below `target` is the identity key the host answers for.
  bool hostKey(const Target& target, const KeyPath& path) const;
  // The value `name` of a key, the host's answer when the store has none.
  LONG queryValue(const Target& target, std::string_view name, StoredValue* value);
  // The index-th value of a key: the host's answers first, then the store's.
  LONG enumValue(const Target& target, DWORD index, EnumItem* item, StoredValue* hostValue);

  std::mutex mutex_;
  std::unique_ptr<RegistryStore> user_;
  std::unique_ptr<RegistryStore> machine_;
  std::unique_ptr<RegistryStore> empty_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<std::size_t> freeSlots_;
  EnumSnapshot rootSnapshots_[kRootCount][2];
  std::atomic<bool> denyMachineWrites_{false};
  HostIdentitySources host_;
};

}  // namespace zs::platform::posix
