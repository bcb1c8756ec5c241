#include "core/collection_store.h"

#include <limits>
#include <utility>

#include "core/error.h"
#include "core/value_types.h"

namespace zs {

void CollectionStore::append(Variant value, String foldedKey) {
  // Count is a Long: the collection cannot grow past its range.
  if (size() >= static_cast<std::size_t>(std::numeric_limits<Long>::max()))
    raise(err::kOutOfMemory);
  const bool keyed = !foldedKey.empty();
  if (keyed && keys_.contains(foldedKey)) raise(err::kKeyInUse);

  const bool reuse = !free_.empty();
  if (!reuse) pool_.emplace_back();  // may throw: nothing changed yet
  const Handle handle = reuse ? free_.back() : static_cast<Handle>(pool_.size() - 1);
  try {
    if (keyed) keys_.emplace(foldedKey, handle);
    try {
      order_.push_back(handle);
    } catch (...) {
      if (keyed) keys_.erase(foldedKey);
      throw;
    }
  } catch (...) {
    if (!reuse) pool_.pop_back();
    throw;
  }
  if (reuse) free_.pop_back();
  Entry& e = pool_[handle];
  e.value = std::move(value);
  e.key = std::move(foldedKey);
  e.stamp = nextStamp_++;
}

const Variant* CollectionStore::findKey(const String& foldedKey) const {
  auto it = keys_.find(foldedKey);
  return it == keys_.end() ? nullptr : &pool_[it->second].value;
}

std::size_t CollectionStore::firstAfter(std::uint64_t stamp) const noexcept {
  // Stamps grow strictly with position, so a binary search finds the place.
  std::size_t lo = 0;
  std::size_t hi = size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (stampAt(mid) <= stamp)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

std::optional<std::size_t> CollectionStore::indexOfKey(const String& foldedKey) const {
  auto it = keys_.find(foldedKey);
  if (it == keys_.end()) return std::nullopt;
  const std::uint64_t stamp = pool_[it->second].stamp;
  return firstAfter(stamp - 1);
}

Variant CollectionStore::removeAt(std::size_t index) {
  const Handle handle = order_.at(index);
  Entry& e = pool_[handle];
  // Make room on the free list first (growing geometrically), so nothing
  // below can fail half-way.
  if (free_.size() == free_.capacity()) free_.reserve(free_.capacity() * 2 + 16);
  Variant value = std::move(e.value);
  if (!e.key.empty()) keys_.erase(e.key);
  e = Entry{};
  order_.erase(index);
  free_.push_back(handle);
  ++removals_;
  return value;
}

}  // namespace zs
