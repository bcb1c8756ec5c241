// Enumeration of a key's sub-keys and values from snapshots (see
// EnumSnapshot in registry_store.h).
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/posix/registry_store.h"
#include "platform/posix/store_statements.h"

namespace zs::platform::posix {

namespace {

// Value data up to this size is kept in an enumeration's snapshot, up to
// kHeldDataBudget bytes in all; larger data is read when it is asked for.
constexpr std::int64_t kHeldDataLimit = 4096;
constexpr std::size_t kHeldDataBudget = 16u << 20;

// The enumeration order of values read in primary-key order: by their order
// numbers. The entries themselves stay where they are.
std::vector<std::uint32_t> writeOrder(const std::vector<EnumEntry>& entries) {
  std::vector<std::pair<std::int64_t, std::uint32_t>> bySequence;
  bySequence.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    bySequence.emplace_back(entries[i].sequence, static_cast<std::uint32_t>(i));
  }
  std::sort(bySequence.begin(), bySequence.end());
  std::vector<std::uint32_t> order;
  order.reserve(entries.size());
  for (const auto& entry : bySequence) order.push_back(entry.second);
  return order;
}

std::vector<std::uint32_t> inReadOrder(std::size_t count) {
  std::vector<std::uint32_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
  return order;
}

}  // namespace

std::uint64_t RegistryStore::dataVersion() {
  Run q(statements_->dataVersion);
  return q->step() ? static_cast<std::uint64_t>(q->columnInt(0)) : 0;
}

LONG RegistryStore::prepareSnapshot(Listing listing, KeyId key, DWORD index,
                                    EnumSnapshot& snapshot) {
  const bool current = snapshot.valid && snapshot.key == key && snapshot.writes == localWrites_;
  if (current && index != 0) return kErrorSuccess;
  // A new enumeration sees what other processes changed since the last one.
  const std::uint64_t version = dataVersion();
  if (current && snapshot.dataVersion == version) return kErrorSuccess;
  return readSnapshot(listing, key, version, snapshot);
}

// One statement in one read transaction: the key's row joined with its
// entries; no row at all when the key is gone.
LONG RegistryStore::readSnapshot(Listing listing, KeyId key, std::uint64_t version,
                                 EnumSnapshot& snapshot) {
  snapshot = EnumSnapshot{};
  const bool values = listing == Listing::Values;
  Run q(values ? statements_->listValues : statements_->listKeys);
  q->bind(1, key);
  if (values) q->bind(2, kHeldDataLimit);
  if (!q->step()) return kErrorKeyDeleted;
  const int noEntries = values ? 4 : 1;
  std::string& bytes = snapshot.bytes;
  std::size_t held = 0;
  if (q->columnInt(noEntries) == 0) {
    do {
      EnumEntry& entry = snapshot.entries.emplace_back();
      const std::string_view name = q->columnView(0);
      entry.name = bytes.size();
      entry.nameSize = static_cast<std::uint32_t>(name.size());
      bytes += name;
      if (!values) continue;
      entry.type = static_cast<DWORD>(q->columnInt(1));
      entry.sequence = q->columnInt(2);
      entry.held = !q->columnIsNull(3) && held <= kHeldDataBudget;
      if (entry.held) {
        const std::string_view data = q->columnView(3);
        entry.data = bytes.size();
        entry.dataSize = static_cast<std::uint32_t>(data.size());
        bytes += data;
        held += data.size();
      }
    } while (q->step());
  }
  snapshot.order = values ? writeOrder(snapshot.entries) : inReadOrder(snapshot.entries.size());
  snapshot.valid = true;
  snapshot.key = key;
  snapshot.dataVersion = version;
  snapshot.writes = localWrites_;
  return kErrorSuccess;
}

LONG RegistryStore::enumKey(KeyId key, DWORD index, EnumSnapshot& snapshot, EnumItem* item) {
  return enumEntry(Listing::Keys, key, index, snapshot, item);
}

LONG RegistryStore::enumValue(KeyId key, DWORD index, EnumSnapshot& snapshot, EnumItem* item) {
  return enumEntry(Listing::Values, key, index, snapshot, item);
}

LONG RegistryStore::enumEntry(Listing listing, KeyId key, DWORD index, EnumSnapshot& snapshot,
                              EnumItem* item) {
  return guarded([&]() -> LONG {
    if (!schemaPresent_) return isTree(key) ? kErrorNoMoreItems : kErrorKeyDeleted;
    for (int attempt = 0;; ++attempt) {
      if (const LONG s = prepareSnapshot(listing, key, index, snapshot); s != kErrorSuccess) {
        return s;
      }
      if (index >= snapshot.order.size()) {
        snapshot = EnumSnapshot{};  // the end: the memory goes
        return kErrorNoMoreItems;
      }
      const EnumEntry& entry = snapshot.entries[snapshot.order[index]];
      const std::string_view bytes = snapshot.bytes;
      item->name = bytes.substr(entry.name, entry.nameSize);
      item->type = entry.type;
      if (entry.held) {
        item->data = bytes.substr(entry.data, entry.dataSize);
        return kErrorSuccess;
      }
      // Large data is read now, by the value's order number, which a rewrite
      // keeps; a value deleted since then means the snapshot is out of date.
      Run q(statements_->valueBySequence);
      q->bind(1, key).bind(2, entry.sequence);
      if (q->step()) {
        snapshot.fetched.type = static_cast<DWORD>(q->columnInt(0));
        snapshot.fetched.data = q->columnBlob(1);
        item->type = snapshot.fetched.type;
        item->data = snapshot.fetched.data;
        return kErrorSuccess;
      }
      snapshot.valid = false;
      if (attempt > 0) return kErrorNoMoreItems;
    }
  });
}

}  // namespace zs::platform::posix
