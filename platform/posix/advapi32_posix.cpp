#include "platform/posix/advapi32_posix.h"

#include <cstring>
#include <new>
#include <string_view>

namespace zs::platform::posix {

namespace {

constexpr REGSAM kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;
constexpr REGSAM kViewFlags = 0x0100 | 0x0200;  // KEY_WOW64_64KEY, KEY_WOW64_32KEY

// Handle values: bits 2-17 hold the slot + 1, bits 18-30 the slot's
// generation, so a handle stays a positive 32-bit value, never collides with
// a predefined root, and a closed handle stays invalid when its slot is reused.
constexpr std::size_t kMaxSlots = 0xFFFF;
constexpr std::uint32_t kGenerationMask = 0x1FFF;

HKEY encode(std::size_t slot, std::uint32_t generation) {
  return static_cast<HKEY>((static_cast<std::uint32_t>(generation & kGenerationMask) << 18) |
                           (static_cast<std::uint32_t>(slot + 1) << 2));
}

bool decode(HKEY key, std::size_t* slot, std::uint32_t* generation) {
  if (key == 0 || key >= 0x80000000u || (key & 3u) != 0) return false;
  const auto index = static_cast<std::size_t>((key >> 2) & 0xFFFFu);
  if (index == 0) return false;
  *slot = index - 1;
  *generation = static_cast<std::uint32_t>(key >> 18) & kGenerationMask;
  return true;
}

REGSAM effectiveRights(REGSAM sam, bool writable) {
  REGSAM rights = sam & ~kViewFlags;
  if ((rights & kGenericRead) != 0) rights |= kKeyRead;
  if ((rights & kGenericWrite) != 0) rights |= kKeyWrite;
  if ((rights & kGenericAll) != 0) rights |= kKeyAllAccess;
  if ((rights & kMaximumAllowed) != 0) rights |= writable ? kKeyAllAccess : kKeyRead;
  return rights & ~(kGenericRead | kGenericWrite | kGenericAll | kMaximumAllowed);
}

// Splits a key path at backslashes. A null or empty path names the key
// itself; one trailing backslash is accepted; a leading backslash, an empty
// level or a level longer than 255 bytes is an invalid parameter.
LONG splitPath(const char* subKey, KeyPath* parts) {
  if (subKey == nullptr || *subKey == '\0') return kErrorSuccess;
  std::string_view rest(subKey);
  if (rest.front() == '\\') return kErrorInvalidParameter;
  if (rest.back() == '\\') rest.remove_suffix(1);
  while (true) {
    const auto cut = rest.find('\\');
    const std::string_view part = rest.substr(0, cut);
    if (part.empty() || part.size() > kMaxKeyNameLength) return kErrorInvalidParameter;
    parts->emplace_back(part);
    if (cut == std::string_view::npos) break;
    rest.remove_prefix(cut + 1);
  }
  return kErrorSuccess;
}

KeyPath joined(const KeyPath& prefix, const KeyPath& rest) {
  KeyPath all = prefix;
  all.insert(all.end(), rest.begin(), rest.end());
  return all;
}

std::string_view valueName(const char* name) {
  return name != nullptr ? std::string_view(name) : std::string_view();
}

// The data part of a query or an enumeration, with the Win32 length rules.
// String data is reported with a terminating NUL, added where the writer gave
// none, so that a reader dropping the last byte gets the whole text.
LONG deliver(DWORD type, std::string_view bytes, BYTE* data, DWORD* dataLength) {
  if (dataLength == nullptr) return kErrorSuccess;
  const bool addNul = (type == kRegSz || type == kRegExpandSz) &&
                      (bytes.empty() || bytes.back() != '\0');
  const auto size = static_cast<DWORD>(bytes.size() + (addNul ? 1 : 0));
  if (data == nullptr) {
    *dataLength = size;
    return kErrorSuccess;
  }
  if (*dataLength < size) {
    *dataLength = size;
    return kErrorMoreData;
  }
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  if (addNul) data[bytes.size()] = 0;
  *dataLength = size;
  return kErrorSuccess;
}

template <typename Body>
LONG safely(Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kErrorOutOfMemory;
  }
}

}  // namespace

Advapi32Posix::Advapi32Posix(const StoreLocation& location)
    : user_(std::make_unique<RegistryStore>(location.userFile.empty()
                                                ? RegistryStore::Kind::Memory
                                                : RegistryStore::Kind::UserFile,
                                            location.userFile, location.busyTimeoutMs)),
      machine_(std::make_unique<RegistryStore>(location.machineFile.empty()
                                                   ? RegistryStore::Kind::Memory
                                                   : RegistryStore::Kind::MachineFile,
                                               location.machineFile, location.busyTimeoutMs)),
      empty_(std::make_unique<RegistryStore>(RegistryStore::Kind::Empty)),
      host_(location.host) {}

Advapi32Posix::~Advapi32Posix() = default;

bool Advapi32Posix::storeWritable(RegistryStore* store) {
  if (store == machine_.get() && denyMachineWrites_) return false;
  return store->writable();
}

LONG Advapi32Posix::resolve(HKEY key, const char* subKey, Target* target, KeyPath* parts) {
  if (const LONG s = resolve(key, target); s != kErrorSuccess) return s;
  return splitPath(subKey, parts);
}

LONG Advapi32Posix::resolve(HKEY key, Target* target) {
  const auto rootAt = [&](int index, RegistryStore* store, KeyId tree, KeyPath prefix) {
    *target = Target{store, tree, std::move(prefix), kKeyAllAccess, true, false,
                     &rootSnapshots_[index][0], &rootSnapshots_[index][1]};
    return kErrorSuccess;
  };
  if (key == kHkeyClassesRoot) return rootAt(0, machine_.get(), kLocalMachineTree, {"SOFTWARE", "Classes"});
  if (key == kHkeyCurrentUser) return rootAt(1, user_.get(), kCurrentUserTree, {});
  if (key == kHkeyLocalMachine) return rootAt(2, machine_.get(), kLocalMachineTree, {});
  if (key == kHkeyUsers) return rootAt(3, machine_.get(), kUsersTree, {});
  if (key == kHkeyPerformanceData) return rootAt(4, empty_.get(), kLocalMachineTree, {});
  if (key == kHkeyCurrentConfig) {
    return rootAt(5, machine_.get(), kLocalMachineTree,
                  {"SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"});
  }
  if (key == kHkeyDynData) return rootAt(6, empty_.get(), kLocalMachineTree, {});

  std::size_t slot = 0;
  std::uint32_t generation = 0;
  if (!decode(key, &slot, &generation) || slot >= entries_.size()) return kErrorInvalidHandle;
  Entry& entry = *entries_[slot];
  if (!entry.used || (entry.generation & kGenerationMask) != generation) {
    return kErrorInvalidHandle;
  }
  *target = entry.target;
  target->keySnapshot = &entry.keySnapshot;
  target->valueSnapshot = &entry.valueSnapshot;
  return kErrorSuccess;
}

LONG Advapi32Posix::keyOf(const Target& target, bool create, KeyId* key) {
  if (target.prefix.empty()) {
    *key = target.key;
    return kErrorSuccess;
  }
  if (create) {
    return target.store->createKey(target.key, target.prefix, storeWritable(target.store), key);
  }
  return target.store->openKey(target.key, target.prefix, key);
}

LONG Advapi32Posix::issue(const Target& target, HKEY* result) {
  std::size_t slot = 0;
  if (!freeSlots_.empty()) {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    if (entries_.size() >= kMaxSlots) return kErrorOutOfMemory;
    entries_.push_back(std::make_unique<Entry>());
    slot = entries_.size() - 1;
  }
  Entry& entry = *entries_[slot];
  entry.used = true;
  entry.target = target;
  entry.target.root = false;
  entry.keySnapshot = {};
  entry.valueSnapshot = {};
  *result = encode(slot, entry.generation);
  return kErrorSuccess;
}

bool Advapi32Posix::hostKey(const Target& target, const KeyPath& path) const {
  return !host_.empty() && target.store == machine_.get() && target.key == kLocalMachineTree &&
         isHostIdentityKey(joined(target.prefix, path));
}

LONG Advapi32Posix::queryValue(const Target& target, std::string_view name, StoredValue* value) {
  KeyId id = 0;
  LONG s = keyOf(target, false, &id);
  if (s == kErrorSuccess) s = target.store->queryValue(id, name, value);
  if (s != kErrorFileNotFound || !target.host) return s;
  auto answer = hostIdentityValue(host_, name);
  if (!answer) return kErrorFileNotFound;
  *value = StoredValue{std::string(name), kRegSz, std::move(*answer)};
  return kErrorSuccess;
}

LONG Advapi32Posix::enumValue(const Target& target, DWORD index, EnumItem* item,
                              StoredValue* hostValue) {
  DWORD storeIndex = index;
  if (target.host) {
    // The host's answers that no stored value of the same name hides.
    std::vector<std::pair<std::string, std::string>> shown;
    for (auto& entry : hostIdentityValues(host_)) {
      StoredValue stored;
      KeyId id = 0;
      const bool hidden = keyOf(target, false, &id) == kErrorSuccess &&
                          target.store->queryValue(id, entry.first, &stored) == kErrorSuccess;
      if (!hidden) shown.push_back(std::move(entry));
    }
    if (index < shown.size()) {
      *hostValue = StoredValue{std::move(shown[index].first), kRegSz,
                               std::move(shown[index].second)};
      *item = EnumItem{hostValue->name, kRegSz, hostValue->data};
      return kErrorSuccess;
    }
    storeIndex = index - static_cast<DWORD>(shown.size());
  }
  KeyId id = 0;
  if (const LONG s = keyOf(target, false, &id); s != kErrorSuccess) {
    return s == kErrorFileNotFound ? kErrorNoMoreItems : s;
  }
  return target.store->enumValue(id, storeIndex, *target.valueSnapshot, item);
}

LONG Advapi32Posix::RegOpenKeyExA(HKEY key, const char* subKey, DWORD /*options*/, REGSAM sam,
                                  HKEY* result) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    if (result == nullptr) return kErrorInvalidParameter;
    *result = 0;
    Target target;
    KeyPath parts;
    if (const LONG s = resolve(key, subKey, &target, &parts); s != kErrorSuccess) return s;
    const bool writable = storeWritable(target.store);
    const REGSAM rights = effectiveRights(sam, writable);
    Target opened{target.store, target.key, {}, rights, false, hostKey(target, parts), nullptr,
                  nullptr};
    if (parts.empty() && !target.prefix.empty()) {
      opened.prefix = target.prefix;  // a root whose key may not exist yet
    } else {
      const KeyPath path = joined(target.prefix, parts);
      const LONG s = target.store->openKey(target.key, path, &opened.key);
      if (s == kErrorFileNotFound && opened.host) {
        // The identity key opens while the store lacks it; a write creates it.
        opened.key = target.key;
        opened.prefix = path;
      } else if (s != kErrorSuccess) {
        return s;
      }
    }
    if ((rights & kWriteRights) != 0 && !writable) return kErrorAccessDenied;
    return issue(opened, result);
  });
}

LONG Advapi32Posix::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    if (result == nullptr) return kErrorInvalidParameter;
    *result = 0;
    Target target;
    KeyPath parts;
    if (const LONG s = resolve(key, subKey, &target, &parts); s != kErrorSuccess) return s;
    if (target.root && parts.empty()) {
      *result = key;
      return kErrorSuccess;
    }
    const bool writable = storeWritable(target.store);
    const bool mayCreate = writable && (target.rights & kKeyCreateSubKey) != 0;
    // The new handle has every right the hive allows: all of them, or reading
    // only on a hive this process may not write.
    Target created{target.store, 0, {}, writable ? kKeyAllAccess : kKeyRead, false,
                   hostKey(target, parts), nullptr, nullptr};
    const LONG s = target.store->createKey(target.key, joined(target.prefix, parts), mayCreate,
                                           &created.key);
    if (s != kErrorSuccess) return s;
    return issue(created, result);
  });
}

LONG Advapi32Posix::RegCloseKey(HKEY key) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if (target.root) return kErrorSuccess;
    std::size_t slot = 0;
    std::uint32_t generation = 0;
    decode(key, &slot, &generation);
    Entry& entry = *entries_[slot];
    entry.used = false;
    entry.generation = (entry.generation + 1) & kGenerationMask;
    entry.target = {};
    entry.keySnapshot = {};
    entry.valueSnapshot = {};
    freeSlots_.push_back(slot);
    return kErrorSuccess;
  });
}

LONG Advapi32Posix::RegDeleteKeyA(HKEY key, const char* subKey) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    if (subKey == nullptr) return kErrorInvalidParameter;
    Target target;
    KeyPath parts;
    if (const LONG s = resolve(key, subKey, &target, &parts); s != kErrorSuccess) return s;
    // A root, and the key under a root's own path, cannot be deleted.
    if (parts.empty() && (target.root || !target.prefix.empty())) return kErrorAccessDenied;
    const KeyPath path = joined(target.prefix, parts);
    if (!storeWritable(target.store)) {
      KeyId found = 0;
      const LONG s = target.store->openKey(target.key, path, &found);
      return s == kErrorSuccess ? kErrorAccessDenied : s;
    }
    return target.store->deleteKey(target.key, path);
  });
}

LONG Advapi32Posix::RegDeleteValueA(HKEY key, const char* name) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if ((target.rights & kKeySetValue) == 0) return kErrorAccessDenied;
    KeyId id = 0;
    if (const LONG s = keyOf(target, false, &id); s != kErrorSuccess) return s;
    if (!storeWritable(target.store)) {
      StoredValue existing;
      const LONG s = target.store->queryValue(id, valueName(name), &existing);
      return s == kErrorSuccess ? kErrorAccessDenied : s;
    }
    return target.store->deleteValue(id, valueName(name));
  });
}

LONG Advapi32Posix::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if ((target.rights & kKeyEnumerateSubKeys) == 0) return kErrorAccessDenied;
    if (name == nullptr) return kErrorInvalidParameter;
    KeyId id = 0;
    if (const LONG s = keyOf(target, false, &id); s != kErrorSuccess) {
      return s == kErrorFileNotFound ? kErrorNoMoreItems : s;
    }
    EnumItem found;
    if (const LONG s = target.store->enumKey(id, index, *target.keySnapshot, &found);
        s != kErrorSuccess) {
      return s;
    }
    if (found.name.size() + 1 > nameSize) return kErrorMoreData;
    std::memcpy(name, found.name.data(), found.name.size());
    name[found.name.size()] = '\0';
    return kErrorSuccess;
  });
}

LONG Advapi32Posix::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                                  DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataLength) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if ((target.rights & kKeyQueryValue) == 0) return kErrorAccessDenied;
    if (name == nullptr || nameLength == nullptr || reserved != nullptr ||
        (data != nullptr && dataLength == nullptr)) {
      return kErrorInvalidParameter;
    }
    EnumItem value;
    StoredValue hostValue;
    if (const LONG s = enumValue(target, index, &value, &hostValue); s != kErrorSuccess) return s;
    if (value.name.size() + 1 > *nameLength) return kErrorMoreData;
    std::memcpy(name, value.name.data(), value.name.size());
    name[value.name.size()] = '\0';
    *nameLength = static_cast<DWORD>(value.name.size());
    if (type != nullptr) *type = value.type;
    return deliver(value.type, value.data, data, dataLength);
  });
}

LONG Advapi32Posix::RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type,
                                     BYTE* data, DWORD* dataLength) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if ((target.rights & kKeyQueryValue) == 0) return kErrorAccessDenied;
    if (reserved != nullptr || (data != nullptr && dataLength == nullptr)) {
      return kErrorInvalidParameter;
    }
    StoredValue value;
    if (const LONG s = queryValue(target, valueName(name), &value); s != kErrorSuccess) return s;
    if (type != nullptr) *type = value.type;
    return deliver(value.type, value.data, data, dataLength);
  });
}

LONG Advapi32Posix::RegSetValueExA(HKEY key, const char* name, DWORD /*reserved*/, DWORD type,
                                   const BYTE* data, DWORD dataLength) {
  return safely([&]() -> LONG {
    std::lock_guard lock(mutex_);
    Target target;
    if (const LONG s = resolve(key, &target); s != kErrorSuccess) return s;
    if ((target.rights & kKeySetValue) == 0) return kErrorAccessDenied;
    if ((data == nullptr && dataLength != 0) || dataLength > kMaxValueData ||
        valueName(name).size() > kMaxValueNameLength) {
      return kErrorInvalidParameter;
    }
    const bool writable = storeWritable(target.store);
    KeyId id = 0;
    if (const LONG s = keyOf(target, writable, &id); s != kErrorSuccess) {
      return s == kErrorFileNotFound ? kErrorAccessDenied : s;
    }
    if (!writable) {
      // Checked after the key, so a deleted key still reports itself.
      KeyId again = 0;
      const LONG s = target.store->openKey(id, {}, &again);
      return s == kErrorSuccess ? kErrorAccessDenied : s;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), dataLength);
    return target.store->setValue(id, valueName(name), type, bytes);
  });
}

}  // namespace zs::platform::posix
