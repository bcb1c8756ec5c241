// The enumerator of a Collection.
//
// It walks the elements in position order and follows the collection as it
// changes: an element removed before the enumerator reaches it is not
// visited, an element added at the end before the enumerator gets there is
// visited, and no element is visited twice, however elements before the
// enumerator's place are removed. It shares the collection's storage, so it
// stays usable after the collection object itself is released.
#pragma once

#include <cstdint>
#include <memory>

#include "core/collection_store.h"
#include "core/enumerator.h"

namespace zs {

class CollectionEnumerator : public Enumerator {
 public:
  explicit CollectionEnumerator(std::shared_ptr<const CollectionStore> store);

  std::vector<Variant> Next(std::size_t count) override;
  bool Skip(std::size_t count) override;
  void Reset() override;
  std::shared_ptr<Enumerator> Clone() override;
  // Lets go of the collection's storage: the enumerator is then at its end.
  void dropReferences() override;

 private:
  // The index of the next element to visit, corrected after removals.
  std::size_t nextIndex();

  std::shared_ptr<const CollectionStore> store_;
  std::uint64_t lastStamp_ = 0;    // stamp of the last element visited (0: none)
  std::size_t next_ = 0;           // cached index of the next element
  std::uint64_t removalsSeen_ = 0; // the store's removal count when next_ was taken
};

}  // namespace zs
