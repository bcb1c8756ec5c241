#include "core/collection.h"

#include <vector>

#include "core/collection_enumerator.h"
#include "core/collection_store.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {

Collection::Collection() : store_(std::make_shared<CollectionStore>()) {}
Collection::~Collection() = default;


void Collection::Add(Variant Item, const String& Key) {
  store_->append(std::move(Item), Key);
}

Long Collection::Count() const { return static_cast<Long>(store_->size()); }

std::size_t Collection::indexOf(const Variant& indexOrKey) const {
  if (indexOrKey.kind() == Kind::String) {
    auto index = store_->indexOfKey(indexOrKey.string());
    if (!index) raise(err::kInvalidCall);
    return *index;
  }
  if (!indexOrKey.isNumeric()) raise(err::kTypeMismatch);
  Long position = 0;
  try {
    position = toLong(indexOrKey);  // rounds half to even
  } catch (const Error& e) {
    // A number too large for a Long is still just a position out of range.
    if (e.number() == err::kOverflow) raise(err::kSubscript);
    throw;
  }
  if (position < 1 || static_cast<std::size_t>(position) > store_->size())
    raise(err::kSubscript);
  return static_cast<std::size_t>(position) - 1;
}

Variant Collection::Item(const Variant& IndexOrKey) const {
  if (IndexOrKey.kind() == Kind::String) {
    // By key without locating the position: a single hash look-up.
    const Variant* found = store_->findKey(IndexOrKey.string());
    if (!found) raise(err::kInvalidCall);
    return *found;
  }
  return store_->valueAt(indexOf(IndexOrKey));
}

void Collection::Remove(const Variant& IndexOrKey) {
  // The removed value is released only after the store is consistent again,
  // so an object whose release calls back into this collection sees it whole.
  [[maybe_unused]] Variant removed = store_->removeAt(indexOf(IndexOrKey));
}

void Collection::dropReferences() {
  // From the end, where removal is cheapest; the values are released when the
  // store is already empty.
  std::vector<Variant> removed;
  removed.reserve(store_->size());
  while (store_->size() > 0) removed.push_back(store_->removeAt(store_->size() - 1));
}

String Collection::keyAt(std::size_t index) const {
  return index < store_->size() ? String(store_->keyAt(index)) : String();
}

std::shared_ptr<Enumerator> Collection::NewEnum() const {
  return create<CollectionEnumerator>(store_);
}

}  // namespace zs
