#include "core/collection_enumerator.h"

#include <utility>

#include "core/object.h"

namespace zs {

CollectionEnumerator::CollectionEnumerator(std::shared_ptr<const CollectionStore> store)
    : store_(std::move(store)), removalsSeen_(store_->removals()) {}

std::size_t CollectionEnumerator::nextIndex() {
  // Appends never move elements; only after a removal can the cached index be
  // stale, and the stamps (growing with position) find the place again.
  if (removalsSeen_ != store_->removals()) {
    next_ = store_->firstAfter(lastStamp_);
    removalsSeen_ = store_->removals();
  }
  return next_;
}

std::vector<Variant> CollectionEnumerator::Next(std::size_t count) {
  std::vector<Variant> out;
  std::size_t i = nextIndex();
  const std::size_t size = store_->size();
  if (i < size && count > 0) out.reserve(count < size - i ? count : size - i);
  for (; out.size() < count && i < size; ++i) {
    out.push_back(store_->valueAt(i));
    lastStamp_ = store_->stampAt(i);
  }
  next_ = i;
  return out;
}

bool CollectionEnumerator::Skip(std::size_t count) {
  std::size_t i = nextIndex();
  const std::size_t size = store_->size();
  const std::size_t available = size - i;
  const std::size_t step = count < available ? count : available;
  if (step > 0) {
    i += step;
    lastStamp_ = store_->stampAt(i - 1);
  }
  next_ = i;
  return step == count;
}

void CollectionEnumerator::Reset() {
  lastStamp_ = 0;
  next_ = 0;
  removalsSeen_ = store_->removals();
}

void CollectionEnumerator::dropReferences() {
  store_ = std::make_shared<const CollectionStore>();
  Reset();
}

std::shared_ptr<Enumerator> CollectionEnumerator::Clone() {
  auto copy = create<CollectionEnumerator>(store_);
  copy->lastStamp_ = lastStamp_;
  copy->next_ = next_;
  copy->removalsSeen_ = removalsSeen_;
  return copy;
}

}  // namespace zs
