// The order of a Collection's elements: a sequence of small handles with
// constant-time access by index, appends in amortised constant time and removal
// at any index in O(sqrt n).
//
// Layout: ring buffers ("chunks") of one power-of-two capacity C. Every chunk
// between the first and the last is full, so index i lies in the first chunk
// when i is below its size and otherwise at a computable chunk and offset.
// Removing an element shifts at most C/2 handles inside its chunk and then
// moves one handle across each chunk towards the nearer end of the sequence, so
// removing at either end costs O(1) and in the middle O(C + n/C). C doubles
// whenever the sequence holds more than 4*C chunks, which keeps C near
// sqrt(n/4) as the sequence grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zs {

class CollectionSequence {
 public:
  using Handle = std::uint32_t;

  CollectionSequence();

  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }

  // The handle at a 0-based index; the index must be below size().
  Handle at(std::size_t index) const noexcept;

  void push_back(Handle handle);
  // Removes the handle at a 0-based index below size(); later handles move
  // down by one.
  void erase(std::size_t index) noexcept;

  // The chunk capacity in use (for tests of the growth rule).
  std::size_t chunkCapacity() const noexcept { return capacity_; }

 private:
  struct Chunk {
    std::vector<Handle> ring;  // capacity_ entries
    std::size_t head = 0;
    std::size_t size = 0;
  };
  struct Place {
    std::size_t chunk;
    std::size_t offset;
  };

  Place locate(std::size_t index) const noexcept;
  std::size_t slot(const Chunk& c, std::size_t offset) const noexcept {
    return (c.head + offset) & mask_;
  }
  Handle popFront(Chunk& c) noexcept;
  Handle popBack(Chunk& c) noexcept;
  void pushFront(Chunk& c, Handle h) noexcept;
  void pushBack(Chunk& c, Handle h) noexcept;
  void eraseInChunk(Chunk& c, std::size_t offset) noexcept;
  void dropEmptyEnds() noexcept;
  void regrow(std::size_t capacity);

  std::vector<Chunk> chunks_;  // live chunks are chunks_[first_ ..]
  std::size_t first_ = 0;
  std::size_t size_ = 0;
  std::size_t capacity_;
  std::size_t shift_;
  std::size_t mask_;
};

}  // namespace zs
