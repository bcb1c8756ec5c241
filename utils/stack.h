// ZSStack: a last-in, first-out stack of Variant values over a Collection
// whose last element is the top. Objects are kept by reference, other values
// as copies.
#pragma once

#include <memory>

#include "core/collection.h"
#include "core/property_bag.h"

namespace zs {

class Stack : public Control {
 public:
  // Puts `Value` on top; the caller's variable is not written.
  void Push(Variant& Value);
  // Takes the top value off and returns it; raises 9 on an empty stack and
  // then removes nothing.
  Variant Pop();
  // The top value, left in place; raises 9 on an empty stack.
  Variant Peek();
  Long Count();

  const ClassInfo* classInfo() const override;
  void dropReferences() override;

 private:
  // The container, created at the first call of any member.
  Collection& stack();

  std::shared_ptr<Collection> stack_;
};

}  // namespace zs
