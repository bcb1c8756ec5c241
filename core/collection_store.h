// The storage behind a Collection: the elements with their keys, their order,
// and the key index. Shared between a Collection and its enumerators, so an
// enumerator stays valid whatever happens to the collection object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/collection_keys.h"
#include "core/collection_sequence.h"
#include "core/variant.h"

namespace zs {

class CollectionStore {
 public:
  using Handle = CollectionSequence::Handle;

  CollectionStore() : keys_(&keyOf, this) {}
  CollectionStore(const CollectionStore&) = delete;
  CollectionStore& operator=(const CollectionStore&) = delete;

  std::size_t size() const noexcept { return order_.size(); }

  // Appends `value`; `key` empty for an element without a key. Raises 457
  // when the key is taken; on any failure nothing changes. Keys compare
  // without regard to letter case (case_fold.h).
  void append(Variant value, StringView key);

  // 0-based index of the element under a key, if present.
  std::optional<std::size_t> indexOfKey(StringView key) const;
  // The element under a key (constant time), or null.
  const Variant* findKey(StringView key) const;

  const Variant& valueAt(std::size_t index) const noexcept { return entry(index).value; }
  // The key of the element at an index, as it was given; empty when none.
  StringView keyAt(std::size_t index) const noexcept { return entry(index).key; }
  // The addition stamp of the element at an index: stamps grow with position.
  std::uint64_t stampAt(std::size_t index) const noexcept { return entry(index).stamp; }
  // The first index whose stamp is greater than `stamp` (size() if none).
  std::size_t firstAfter(std::uint64_t stamp) const noexcept;

  // Removes the element at an index below size() and returns its value.
  Variant removeAt(std::size_t index);

  // Counts removals: indexes taken before a change of this number may have moved.
  std::uint64_t removals() const noexcept { return removals_; }

 private:
  struct Entry {
    Variant value;
    String key;  // as given; empty when the element has none
    std::uint64_t stamp = 0;
  };
  const Entry& entry(std::size_t index) const noexcept { return pool_[order_.at(index)]; }
  static const String& keyOf(const void* self, Handle handle) {
    return static_cast<const CollectionStore*>(self)->pool_[handle].key;
  }

  std::vector<Entry> pool_;   // slots addressed by handle
  std::vector<Handle> free_;  // reusable slots of pool_
  CollectionKeys keys_;
  CollectionSequence order_;
  std::uint64_t nextStamp_ = 1;
  std::uint64_t removals_ = 0;
};

}  // namespace zs
