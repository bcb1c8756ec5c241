#include "core/collection_keys.h"

#include "core/case_fold.h"

namespace zs {
namespace {

constexpr std::uint32_t kOffset = 2166136261u;
constexpr std::uint32_t kPrime = 16777619u;

std::uint32_t mix(std::uint32_t h, char16_t unit) {
  return (h ^ unit) * kPrime;
}

}  // namespace

std::uint32_t CollectionKeys::hashOf(StringView key) noexcept {
  std::uint32_t h = kOffset;
  for (char16_t c : key) h = mix(h, upperCaseUnit(c));
  return h;
}

CollectionKeys::Handle CollectionKeys::find(StringView key) const noexcept {
  if (slots_.empty()) return kNone;
  const std::uint32_t hash = hashOf(key);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.handle == kNone) return kNone;
    if (s.hash == hash && sameFoldedKey(key, keyOf_(owner_, s.handle))) return s.handle;
  }
}

void CollectionKeys::place(Slot slot) noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = slot.hash & mask;
  while (slots_[i].handle != kNone) i = (i + 1) & mask;
  slots_[i] = slot;
}

void CollectionKeys::grow() {
  std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
  old.swap(slots_);
  for (const Slot& s : old)
    if (s.handle != kNone) place(s);
}

void CollectionKeys::insert(Handle handle) {
  // At most half full, so probe runs stay short.
  if ((used_ + 1) * 2 > slots_.size()) grow();
  place(Slot{hashOf(keyOf_(owner_, handle)), handle});
  ++used_;
}

void CollectionKeys::erase(StringView key, Handle handle) noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = hashOf(key) & mask;
  while (slots_[hole].handle != handle) hole = (hole + 1) & mask;
  // Backward-shift deletion: move later members of the probe run into the
  // hole while their home slot allows it, so no tombstones are needed.
  for (std::size_t next = (hole + 1) & mask; slots_[next].handle != kNone;
       next = (next + 1) & mask) {
    const std::size_t home = slots_[next].hash & mask;
    // `next` may move to `hole` when its home is not cyclically in (hole, next].
    const bool homeBetween = hole <= next ? (hole < home && home <= next)
                                          : (hole < home || home <= next);
    if (!homeBetween) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole] = Slot{};
  --used_;
}

}  // namespace zs
