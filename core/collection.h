// Collection: the ordered container with optional unique keys that the
// collection classes, ZSStack and the drive list are built on.
//
// - Elements are any values, held as the Variant holds them (objects by
//   reference); positions run from 1 to Count in the order of Add.
// - A key is a non-empty String, unique within the collection; keys compare
//   without regard to letter case (see case_fold.h).
// - An index is a position when it is a number (Integer, Long, Single, Double,
//   Currency, Boolean) and a key when it is a String, even a numeric one such as
//   "2". A non-integral position is rounded half to even. Empty, Null, Error
//   (including missing) and object indexes raise 13.
// - Errors: 9 for a position outside 1 to Count, 5 for a key that is not
//   present, 457 for a key already in use. A failed call changes nothing.
// - Fetch by position or key in constant time, Add in amortised constant
//   time, Remove at either end in constant time and elsewhere in O(sqrt n);
//   finding a key's position for Remove is O(log n).
#pragma once

#include <cstddef>
#include <memory>

#include "core/class_info.h"
#include "core/enumerator.h"
#include "core/variant.h"

namespace zs {

class CollectionStore;

class Collection : public Object {
 public:
  Collection();
  ~Collection() override;

  // Appends `Item`; with a non-empty `Key` the element is also reachable by
  // that key. An empty key means no key.
  void Add(Variant Item, const String& Key = {});
  // The element at a position or under a key.
  Variant Item(const Variant& IndexOrKey) const;
  Long Count() const;
  // Removes the element at a position or under a key; later elements move
  // down one position.
  void Remove(const Variant& IndexOrKey);
  // An enumerator over the elements in position order.
  std::shared_ptr<Enumerator> NewEnum() const;

  // Removes every element; enumerators see the collection empty.
  void dropReferences() override;

  // Not a member for hosts: the key of the element at a 0-based position as
  // it was given to Add, empty for an element without a key or a position
  // outside the collection. Lets a viewer show keys without calling members.
  String keyAt(std::size_t index) const;

  const ClassInfo* classInfo() const override;

 private:
  std::size_t indexOf(const Variant& indexOrKey) const;  // 0-based

  std::shared_ptr<CollectionStore> store_;
};

}  // namespace zs
