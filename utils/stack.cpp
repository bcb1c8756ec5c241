#include "utils/stack.h"

namespace zs {


Collection& Stack::stack() {
  if (!stack_) stack_ = create<Collection>();
  return *stack_;
}

void Stack::dropReferences() {
  if (stack_) stack_->dropReferences();
}

void Stack::Push(Variant& Value) { stack().Add(Value); }

Variant Stack::Pop() {
  Collection& c = stack();
  const Variant top(c.Count());
  // Reading first: on an empty stack position 0 raises 9 before any removal.
  Variant value = c.Item(top);
  c.Remove(top);
  return value;
}

Variant Stack::Peek() {
  Collection& c = stack();
  return c.Item(Variant(c.Count()));
}

Long Stack::Count() { return stack().Count(); }

}  // namespace zs
