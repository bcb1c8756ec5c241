#include "core/collection_store.h"

#include <limits>
#include <utility>

#include "core/error.h"
#include "core/value_types.h"

namespace zs {

void CollectionStore::append(Variant value, StringView key) {
  // Count is a Long: the collection cannot grow past its range.
  if (size() >= static_cast<std::size_t>(std::numeric_limits<Long>::max()))
    raise(err::kOutOfMemory);
  const bool keyed = !key.empty();
  if (keyed && keys_.find(key) != CollectionKeys::kNone) raise(err::kKeyInUse);
  String given(key);

  const bool reuse = !free_.empty();
  if (!reuse) pool_.emplace_back();  // may throw: nothing changed yet
  const Handle handle = reuse ? free_.back() : static_cast<Handle>(pool_.size() - 1);
  Entry& e = pool_[handle];
  e.key = std::move(given);
  try {
    if (keyed) keys_.insert(handle);
    try {
      order_.push_back(handle);
    } catch (...) {
      if (keyed) keys_.erase(e.key, handle);
      throw;
    }
  } catch (...) {
    e.key.clear();
    if (!reuse) pool_.pop_back();
    throw;
  }
  if (reuse) free_.pop_back();
  e.value = std::move(value);
  e.stamp = nextStamp_++;
}

const Variant* CollectionStore::findKey(StringView key) const {
  const Handle h = keys_.find(key);
  return h == CollectionKeys::kNone ? nullptr : &pool_[h].value;
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

std::optional<std::size_t> CollectionStore::indexOfKey(StringView key) const {
  const Handle h = keys_.find(key);
  if (h == CollectionKeys::kNone) return std::nullopt;
  const std::uint64_t stamp = pool_[h].stamp;
  return firstAfter(stamp - 1);
}

Variant CollectionStore::removeAt(std::size_t index) {
  const Handle handle = order_.at(index);
  Entry& e = pool_[handle];
  // Make room on the free list first (growing geometrically), so nothing
  // below can fail half-way.
  if (free_.size() == free_.capacity()) free_.reserve(free_.capacity() * 2 + 16);
  Variant value = std::move(e.value);
  if (!e.key.empty()) keys_.erase(e.key, handle);
  e = Entry{};
  order_.erase(index);
  free_.push_back(handle);
  ++removals_;
  return value;
}

}  // namespace zs
