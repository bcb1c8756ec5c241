// The key index of a Collection: open addressing with linear probing over
// (hash, handle) pairs. The keys themselves are stored once, as given, in the
// collection's entries; hashing and comparing fold both sides unit by unit,
// so a look-up allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/value_types.h"

namespace zs {

class CollectionKeys {
 public:
  using Handle = std::uint32_t;
  // The key stored under a handle, as given (the index keeps no copy).
  using KeyOf = const String& (*)(const void* owner, Handle handle);

  CollectionKeys(KeyOf keyOf, const void* owner) : keyOf_(keyOf), owner_(owner) {}

  // The handle under `key` (compared without regard to letter case), or kNone.
  static constexpr Handle kNone = 0xFFFFFFFFu;
  Handle find(StringView key) const noexcept;

  // Indexes `handle` under the key stored for it, which must not be taken.
  // Only growing the table can fail, before anything changes.
  void insert(Handle handle);
  // Drops the entry of `handle`, whose stored key is `key`.
  void erase(StringView key, Handle handle) noexcept;

  // The hash of a key folded code unit by code unit (case_fold.h).
  static std::uint32_t hashOf(StringView key) noexcept;

 private:
  struct Slot {
    std::uint32_t hash = 0;
    Handle handle = kNone;
  };
  void grow();
  void place(Slot slot) noexcept;

  std::vector<Slot> slots_;  // empty, or a power of two in size
  std::size_t used_ = 0;
  KeyOf keyOf_;
  const void* owner_;
};

}  // namespace zs
