#include "core/collection_sequence.h"

#include <bit>
#include <utility>

namespace zs {
namespace {
constexpr std::size_t kInitialCapacity = 32;  // a power of two
constexpr std::size_t kChunksPerCapacity = 4;  // grow C when chunks exceed 4*C
}  // namespace

CollectionSequence::CollectionSequence()
    : capacity_(kInitialCapacity),
      shift_(static_cast<std::size_t>(std::countr_zero(kInitialCapacity))),
      mask_(kInitialCapacity - 1) {}

CollectionSequence::Place CollectionSequence::locate(std::size_t index) const noexcept {
  const std::size_t firstSize = chunks_[first_].size;
  if (index < firstSize) return {first_, index};
  const std::size_t rest = index - firstSize;
  return {first_ + 1 + (rest >> shift_), rest & mask_};
}

CollectionSequence::Handle CollectionSequence::at(std::size_t index) const noexcept {
  const Place p = locate(index);
  const Chunk& c = chunks_[p.chunk];
  return c.ring[slot(c, p.offset)];
}

CollectionSequence::Handle CollectionSequence::popFront(Chunk& c) noexcept {
  Handle h = c.ring[c.head];
  c.head = (c.head + 1) & mask_;
  --c.size;
  return h;
}

CollectionSequence::Handle CollectionSequence::popBack(Chunk& c) noexcept {
  --c.size;
  return c.ring[slot(c, c.size)];
}

void CollectionSequence::pushFront(Chunk& c, Handle h) noexcept {
  c.head = (c.head + mask_) & mask_;
  c.ring[c.head] = h;
  ++c.size;
}

void CollectionSequence::pushBack(Chunk& c, Handle h) noexcept {
  c.ring[slot(c, c.size)] = h;
  ++c.size;
}

// Closes the gap by moving the shorter side of the chunk.
void CollectionSequence::eraseInChunk(Chunk& c, std::size_t offset) noexcept {
  if (offset < c.size / 2) {
    for (std::size_t j = offset; j > 0; --j) c.ring[slot(c, j)] = c.ring[slot(c, j - 1)];
    c.head = (c.head + 1) & mask_;
  } else {
    for (std::size_t j = offset; j + 1 < c.size; ++j) c.ring[slot(c, j)] = c.ring[slot(c, j + 1)];
  }
  --c.size;
}

void CollectionSequence::push_back(Handle handle) {
  if (chunks_.size() == first_ || chunks_.back().size == capacity_) {
    if (chunks_.size() - first_ >= kChunksPerCapacity * capacity_) {
      regrow(capacity_ * 2);
      if (chunks_.back().size < capacity_) {
        pushBack(chunks_.back(), handle);
        ++size_;
        return;
      }
    }
    chunks_.push_back(Chunk{std::vector<Handle>(capacity_), 0, 0});
  }
  pushBack(chunks_.back(), handle);
  ++size_;
}

void CollectionSequence::erase(std::size_t index) noexcept {
  const Place p = locate(index);
  eraseInChunk(chunks_[p.chunk], p.offset);
  --size_;
  const std::size_t last = chunks_.size() - 1;
  if (p.chunk != first_ && p.chunk != last) {
    // A middle chunk is one short: refill it from the nearer end.
    if (p.chunk - first_ <= last - p.chunk) {
      for (std::size_t j = p.chunk; j > first_; --j)
        pushFront(chunks_[j], popBack(chunks_[j - 1]));
    } else {
      for (std::size_t j = p.chunk; j < last; ++j)
        pushBack(chunks_[j], popFront(chunks_[j + 1]));
    }
  }
  dropEmptyEnds();
}

void CollectionSequence::dropEmptyEnds() noexcept {
  if (size_ == 0) {
    chunks_.clear();
    first_ = 0;
    return;
  }
  if (chunks_.back().size == 0) chunks_.pop_back();
  if (chunks_[first_].size == 0) {
    chunks_[first_].ring = {};
    ++first_;
    // Drop the spent chunks once they are half the table, so the table stays
    // proportional to the live chunks and the cost is amortised.
    if (first_ * 2 >= chunks_.size()) {
      chunks_.erase(chunks_.begin(), chunks_.begin() + static_cast<std::ptrdiff_t>(first_));
      first_ = 0;
    }
  }
}

// Re-lays the sequence out in chunks of a new capacity (all full but the last).
void CollectionSequence::regrow(std::size_t capacity) {
  std::vector<Chunk> grown;
  grown.reserve(size_ / capacity + 1);
  const std::size_t mask = capacity - 1;
  for (std::size_t i = 0; i < size_; ++i) {
    if (grown.empty() || grown.back().size == capacity)
      grown.push_back(Chunk{std::vector<Handle>(capacity), 0, 0});
    Chunk& c = grown.back();
    c.ring[c.size & mask] = at(i);
    ++c.size;
  }
  chunks_ = std::move(grown);
  first_ = 0;
  capacity_ = capacity;
  shift_ = static_cast<std::size_t>(std::countr_zero(capacity));
  mask_ = mask;
}

}  // namespace zs
