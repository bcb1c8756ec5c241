#include "utils/linked_list.h"

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {

// Growth keeps the table unchanged when memory runs out only if slots move
// without throwing.
static_assert(std::is_nothrow_move_constructible_v<ListNode>);

LinkedList::LinkedList() : nodes_(1) {}

void LinkedList::Initialize() { reset(); }

void LinkedList::reset() {
  // Slot 0 alone (Empty, links 0), then the first chunk of free slots.
  std::vector<ListNode>(1).swap(nodes_);
  count_ = head_ = tail_ = free_ = current_ = 0;
  movedForward_ = false;
  growBy_ = kDefaultGrowBy;
  growNodes(kDefaultGrowBy);
}

// Appends n slots and puts them, in ascending order, in front of the slots
// that were free before. Existing slots keep their place, so indexes stay valid.
void LinkedList::growNodes(Long n) {
  const Long first = upperBound() + 1;
  const std::int64_t last = std::int64_t{upperBound()} + n;
  if (last > std::numeric_limits<Long>::max()) raise(err::kOverflow);
  try {
    nodes_.resize(static_cast<std::size_t>(last) + 1);
  } catch (const std::bad_alloc&) {
    raise(err::kOutOfMemory);
  } catch (const std::length_error&) {
    raise(err::kOutOfMemory);
  }
  const Long newUpper = static_cast<Long>(last);
  for (Long i = first; i <= newUpper; ++i) {
    at(i).PrevNode = -1;
    at(i).NextNode = i + 1;
  }
  at(newUpper).NextNode = free_;
  free_ = first;
}

bool LinkedList::indexCheck(Long index) const {
  if (index < 0 || index > upperBound()) raise(err::kSubscript);
  return index >= 1 && at(index).PrevNode >= 0;
}

void LinkedList::requireNode(Long index) const {
  // Acting on slot 0 or a free slot would corrupt the links and the free chain.
  if (!indexCheck(index)) raise(err::kSubscript);
}

// A step from a position that is not a node (0, or a free slot reached by
// Move) ends at 0: a free slot's links belong to the free chain.
void LinkedList::MovePrevious() {
  current_ = isNode(current_) ? at(current_).PrevNode : 0;
  movedForward_ = false;
}

void LinkedList::MoveNext() {
  current_ = isNode(current_) ? at(current_).NextNode : 0;
  movedForward_ = true;
}

void LinkedList::Move(Long Index) {
  indexCheck(Index);
  current_ = Index;
}

Variant LinkedList::Item(Long Index) const {
  if (Index == 0) Index = current_;
  indexCheck(Index);
  return at(Index).Value;
}

Long LinkedList::Find(const Variant& Value, Long StartIndex) const {
  if (StartIndex < 0) raise(err::kSubscript);
  for (Long i = StartIndex; i <= tail_; ++i)
    if (equals(at(i).Value, Value)) return i;
  return 0;
}

Long LinkedList::Add(const Variant& Value, Long Before, Long After) {
  // Copied first: a failing copy leaves the list untouched.
  Variant stored = Value;
  if (free_ == 0) growNodes(growBy_);
  const Long n = free_;
  const Long nextFree = at(n).NextNode;
  if (Before < 0) Before = head_;

  if (Before > 0) {
    requireNode(Before);
    ListNode& node = at(n);
    node.NextNode = Before;
    node.PrevNode = at(Before).PrevNode;
    at(Before).PrevNode = n;
    if (Before != head_)
      at(node.PrevNode).NextNode = n;
    else
      head_ = n;
  } else if (After <= 0) {
    ListNode& node = at(n);
    if (tail_ != 0) {
      at(tail_).NextNode = n;
      node.PrevNode = tail_;
    } else {
      head_ = n;
      node.PrevNode = 0;
    }
    tail_ = n;
    node.NextNode = 0;
  } else {
    requireNode(After);
    ListNode& node = at(n);
    node.PrevNode = After;
    node.NextNode = at(After).NextNode;
    at(After).NextNode = n;
    if (After != tail_)
      at(node.NextNode).PrevNode = n;
    else
      tail_ = n;
  }

  at(n).Value = std::move(stored);
  ++count_;
  free_ = nextFree;
  return n;
}

void LinkedList::Remove(Long Index) {
  if (Index == 0) Index = current_;
  requireNode(Index);
  ListNode& node = at(Index);
  const Long prev = node.PrevNode;
  const Long next = node.NextNode;

  if (Index == head_) {
    head_ = next;
    if (next != 0) at(next).PrevNode = 0;
    if (Index == tail_) tail_ = 0;
  } else if (Index == tail_) {
    tail_ = prev;
    at(prev).NextNode = 0;
  } else {
    at(prev).NextNode = next;
    at(next).PrevNode = prev;
  }

  // Release the value only once the links are consistent: releasing an
  // object may run its Terminate.
  Variant released = std::exchange(node.Value, Variant());
  --count_;
  if (Index == current_) {
    current_ = next;
    if (next == 0) movedForward_ = true;
  }
  node.NextNode = free_;
  node.PrevNode = -1;
  free_ = Index;
}

void LinkedList::RemoveAll() {
  // Values are released after the instance is back in its initial state.
  std::vector<ListNode> old;
  old.swap(nodes_);
  reset();
}

void LinkedList::SetSize(Long NumSize, Long ChunkSize) {
  if (NumSize < 1 || ChunkSize < 0) raise(err::kInvalidCall);
  if (NumSize > upperBound()) growNodes(NumSize - upperBound());
  if (ChunkSize > 0) growBy_ = ChunkSize;
}

Boolean LinkedList::CheckIndex(Long Index) const { return indexCheck(Index); }

}  // namespace zs
