// ZSLinkedList: an ordered list of Variant values with a movable current
// position. The list is doubly linked through a growable table of slots; a
// node is addressed by its slot index, a handle that stays valid until that
// node is removed. Free slots form a chain of their own, so adding and
// removing take constant time; the table grows by a chunk of slots when the
// chain runs dry and never shrinks (except through RemoveAll).
#pragma once

#include <vector>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"

namespace zs {

// One slot of the table.
struct ListNode {
  Variant Value;      // the stored value; Empty in a free slot
  Long PrevNode = 0;  // previous node, 0 for the first; -1 marks a free slot
  Long NextNode = 0;  // next node, 0 for the last; in a free slot the next free slot
};

class LinkedList : public Control {
 public:
  // Slots added when the table must grow, until SetSize names another step.
  static constexpr Long kDefaultGrowBy = 100;

  LinkedList();

  // Builds the empty list: slot 0 and 100 free slots.
  void Initialize() override;

  Long CurrentIndex() const { return current_; }
  void MoveFirst() { current_ = head_; }
  void MoveLast() { current_ = tail_; }
  void MovePrevious();
  void MoveNext();
  void Move(Long Index);
  Boolean BOL() const { return count_ == 0 || (current_ == 0 && !movedForward_); }
  Boolean EOL() const { return count_ == 0 || (current_ == 0 && movedForward_); }

  // Index 0 means the current node. Slot 0 and free slots give Empty.
  Variant Item(Long Index = 0) const;
  Boolean IsEmpty() const { return count_ == 0; }
  Long Count() const { return count_; }

  // The first slot from StartIndex up to the last node's slot whose value
  // equals Value (Variant equality; objects by identity); 0 when none does.
  // The scan goes by slot index, not along the links.
  Long Find(const Variant& Value, Long StartIndex = 1) const;

  // Inserts before Before (a negative Before means the first node), else after
  // After, else at the end; returns the new node's index. The current position
  // does not move.
  Long Add(const Variant& Value, Long Before = 0, Long After = 0);
  // Index 0 means the current node.
  void Remove(Long Index = 0);
  void RemoveAll();
  void dropReferences() override { RemoveAll(); }
  // Grows the table to hold at least the slots 1 to NumSize; a positive
  // ChunkSize becomes the growth step from then on.
  void SetSize(Long NumSize, Long ChunkSize = 0);
  // True for a node, False for 0 and for a free slot; raises 9 outside the table.
  Boolean CheckIndex(Long Index) const;

  // Read-only view of the table for diagnostics and tests.
  Long upperBound() const { return static_cast<Long>(nodes_.size()) - 1; }
  const ListNode& slot(Long index) const { return nodes_.at(static_cast<std::size_t>(index)); }
  Long headNode() const { return head_; }
  Long tailNode() const { return tail_; }
  Long freeNode() const { return free_; }
  Long growBy() const { return growBy_; }
  Boolean movedForward() const { return movedForward_; }

  const ClassInfo* classInfo() const override;

 private:
  void reset();
  void growNodes(Long n);
  // The index check: raises 9 below 0 or above the upper bound; otherwise
  // tells whether the slot holds a node of the list.
  bool indexCheck(Long index) const;
  // A node of the list or error 9.
  void requireNode(Long index) const;
  bool isNode(Long index) const {
    return index >= 1 && index <= upperBound() && at(index).PrevNode >= 0;
  }
  ListNode& at(Long index) { return nodes_[static_cast<std::size_t>(index)]; }
  const ListNode& at(Long index) const { return nodes_[static_cast<std::size_t>(index)]; }

  std::vector<ListNode> nodes_;
  Long count_ = 0;
  Long head_ = 0;
  Long tail_ = 0;
  Long free_ = 0;
  Long growBy_ = kDefaultGrowBy;
  Long current_ = 0;
  Boolean movedForward_ = false;
};

}  // namespace zs
