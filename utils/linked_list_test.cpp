// ZSLinkedList: links, free chain and handles after every operation, the
// position and its ends, growth, the error paths and the dynamic layer.
#include "utils/linked_list.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include <algorithm>
#include <random>
#include <set>

#include "core/collection.h"
#include "core/dispatch.h"
#include "core/error.h"
#include "frame/factory.h"

namespace zs {
namespace {

using Longs = std::vector<Long>;

// Every slot 1..upper is exactly one of: a node reachable from the head with
// consistent back links, or a member of the free chain (PrevNode -1, Empty).
testing::AssertionResult Consistent(const LinkedList& l) {
  auto fail = [] { return testing::AssertionFailure(); };
  const ListNode& zero = l.slot(0);
  if (!zero.Value.isEmpty() || zero.PrevNode != 0 || zero.NextNode != 0) return fail() << "slot 0";
  const Long upper = l.upperBound();
  std::set<Long> seen;
  Long prev = 0;
  for (Long i = l.headNode(); i != 0; prev = i, i = l.slot(i).NextNode)
    if (i < 1 || i > upper || !seen.insert(i).second || l.slot(i).PrevNode != prev)
      return fail() << "node " << i << " after " << prev;
  if (prev != l.tailNode() || static_cast<Long>(seen.size()) != l.Count())
    return fail() << "tail " << l.tailNode() << " count " << l.Count() << " linked " << seen.size();
  for (Long i = l.freeNode(); i != 0; i = l.slot(i).NextNode)
    if (i < 1 || i > upper || !seen.insert(i).second || l.slot(i).PrevNode != -1 ||
        !l.slot(i).Value.isEmpty())
      return fail() << "free slot " << i;
  if (static_cast<Long>(seen.size()) != upper) return fail() << "slots lost: " << upper - seen.size();
  if (l.CurrentIndex() < 0 || l.CurrentIndex() > upper) return fail() << "position";
  return testing::AssertionSuccess();
}

// A walk as hosts walk, forward until EOL or backward until BOL; both give the
// values in list order.
Longs walk(LinkedList& l, bool forward) {
  Longs out;
  if (forward)
    for (l.MoveFirst(); !l.EOL(); l.MoveNext()) out.push_back(l.Item().lng());
  else
    for (l.MoveLast(); !l.BOL(); l.MovePrevious()) out.insert(out.begin(), l.Item().lng());
  return out;
}

// A list holding 1..n in slots 1..n.
std::shared_ptr<LinkedList> listOf(Long n) {
  auto l = create<LinkedList>();
  for (Long v = 1; v <= n; ++v) l->Add(Variant(v));
  return l;
}

TEST(LinkedList, NewListAndFirstAdds) {
  auto l = listOf(0);
  EXPECT_TRUE(l->IsEmpty() && l->BOL() && l->EOL() && l->upperBound() == 100);
  EXPECT_EQ(l->Add(Variant(Long{10}), -1), 1);  // Before -1 on an empty list appends
  for (Long v = 2; v <= 3; ++v) EXPECT_EQ(l->Add(Variant(v * 10)), v);
  EXPECT_EQ(l->CurrentIndex(), 0);  // Add does not move the position
  EXPECT_TRUE(l->BOL() && !l->EOL() && l->Item().isEmpty());
  EXPECT_EQ(walk(*l, true), (Longs{10, 20, 30}));
  EXPECT_TRUE(Consistent(*l));
}

TEST(LinkedList, RemoveMovesThePositionAndFreesTheSlotForTheNextAdd) {
  struct Case {
    const char* name;
    Long nodes, current, index;  // index 0: the current node
    Long positionAfter;
    bool eol;
  };
  const Case cases[] = {
      {"the only node", 1, 0, 1, 0, true},
      {"current moves to its successor", 3, 2, 0, 3, false},
      {"current tail leaves EOL", 3, 3, 0, 0, true},
      {"another node keeps the position", 3, 1, 3, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto l = listOf(c.nodes);
    l->Move(c.current);
    const Long removed = c.index ? c.index : c.current;
    l->Remove(c.index);
    EXPECT_EQ(l->CurrentIndex(), c.positionAfter);
    EXPECT_EQ(l->EOL(), c.eol);
    EXPECT_FALSE(l->CheckIndex(removed));
    EXPECT_EQ(l->Add(Variant(Long{9})), removed);
    EXPECT_TRUE(Consistent(*l));
  }
}

TEST(LinkedList, SetSizeGrowthStepAndRemoveAll) {
  auto s = listOf(0);
  s->SetSize(150);
  for (Long v = 101; v <= 150; ++v) ASSERT_EQ(s->Add(Variant(v)), v);  // new slots first
  EXPECT_EQ(s->Add(Variant(Long{1})), 1);
  s->SetSize(120);  // never shrinks
  EXPECT_EQ(s->upperBound(), 150);
  // A positive ChunkSize becomes the step; 0 keeps it; RemoveAll restores 100.
  s->SetSize(1, 10);
  s->SetSize(1);
  for (Long v = 2; v <= 101; ++v) s->Add(Variant(v));
  EXPECT_EQ(s->upperBound(), 160);
  s->MoveNext();
  s->RemoveAll();
  EXPECT_TRUE(s->IsEmpty() && s->CurrentIndex() == 0 && !s->movedForward());
  EXPECT_TRUE(s->upperBound() == 100 && s->growBy() == 100);
  EXPECT_EQ(s->Add(Variant(Long{1})), 1);
  EXPECT_TRUE(Consistent(*s));
}

TEST(LinkedList, PositionEndsAndStepsFromAFreeSlot) {
  auto l = listOf(2);
  l->MoveLast();
  l->MoveNext();
  l->MoveNext();  // stays at the end
  EXPECT_TRUE(l->EOL() && !l->BOL());
  l->MoveFirst();  // MoveFirst and MoveLast keep the direction
  EXPECT_FALSE(l->BOL());
  l->MovePrevious();
  EXPECT_TRUE(l->BOL() && !l->EOL());
  // Steps from a free slot end at 0, never on the free chain.
  l->Remove(1);
  for (bool forward : {true, false}) {
    l->Move(1);
    EXPECT_TRUE(l->Item().isEmpty());
    forward ? l->MoveNext() : l->MovePrevious();
    EXPECT_EQ(l->CurrentIndex(), 0);
    EXPECT_EQ(l->EOL(), forward);
  }
}

TEST(LinkedList, FindScansSlotIndexesUpToTheTailSlotAndObjectsAreKeptByReference) {
  auto l = listOf(0);
  l->Add(Variant(u"A"));
  l->Add(Variant(u"B"));
  l->Add(Variant(u"C"), 1);  // the list runs C, A, B in slots 3, 1, 2
  EXPECT_EQ(l->Find(Variant(u"C")), 0);  // slot 3 lies above the tail's slot 2
  EXPECT_EQ(l->Find(Variant(u"B")), 2);
  EXPECT_EQ(l->Find(Variant(u"A"), 2), 0);
  // Variant equality; a free slot in range takes part with its Empty value.
  l->Remove(1);
  EXPECT_EQ(l->Find(Variant(String())), 1);
  EXPECT_EQ(l->Find(Variant::null()), 0);
  // Objects: found by identity, kept by reference, released on Remove.
  ObjectPtr a = create<Collection>(), b = create<Collection>();
  std::weak_ptr<Object> watch = a;
  auto o = listOf(0);
  o->Add(Variant(a));
  o->Add(Variant(b));
  o->Add(Variant(Long{0}));
  EXPECT_EQ(o->Find(Variant(b)), 2);
  EXPECT_EQ(o->Find(Variant(Long{0})), 3);  // an object is not 0
  EXPECT_EQ(o->Item(1).object(), a);
  a.reset();
  o->Remove(1);
  EXPECT_TRUE(watch.expired());
}

// A rejected call leaves the list, its table and its free chain as they were.
TEST(LinkedList, RejectedCallsChangeNothing) {
  struct Case {
    const char* name;
    int error;
    void (*call)(LinkedList&);
  };
  // The list holds 1, 3, 4 (slot 2 freed, first on the free chain); position at 3.
  const Case cases[] = {
      {"Item below 0", 9, [](LinkedList& l) { l.Item(-2); }},
      {"CheckIndex above the table", 9, [](LinkedList& l) { l.CheckIndex(1000); }},
      {"Find from a negative start", 9, [](LinkedList& l) { l.Find(Variant(), -1); }},
      {"Remove above the table", 9, [](LinkedList& l) { l.Remove(101); }},
      {"Remove a free slot", 9, [](LinkedList& l) { l.Remove(2); }},
      {"Remove at the end", 9, [](LinkedList& l) { l.MoveLast(); l.MoveNext(); l.Remove(); }},
      {"Add before the slot it would take", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 2); }},
      {"Add after a free slot", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 0, 50); }},
      {"SetSize 0", 5, [](LinkedList& l) { l.SetSize(0); }},
      {"SetSize negative chunk", 5, [](LinkedList& l) { l.SetSize(500, -1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto l = listOf(4);
    l->Remove(2);
    l->Move(3);
    EXPECT_EQ(errorOf([&] { c.call(*l); }), c.error);
    EXPECT_TRUE(Consistent(*l));
    EXPECT_TRUE(l->upperBound() == 100 && l->growBy() == 100 && l->freeNode() == 2);
    EXPECT_EQ(walk(*l, true), (Longs{1, 3, 4}));
  }
}

TEST(LinkedList, GrowthFailuresAndTheGrowthBeforeARejectedAdd) {
  auto l = listOf(100);
  // Full table: Add grows it first, then 150 is a free slot of the new chunk.
  EXPECT_EQ(errorOf([&] { l->Add(Variant(Long{0}), 150); }), 9);
  EXPECT_TRUE(l->upperBound() == 200 && l->Count() == 100);
  EXPECT_TRUE(Consistent(*l));
  auto big = listOf(0);
  big->SetSize(1, 2147483647);
  for (Long v = 1; v <= 100; ++v) big->Add(Variant(v));
  EXPECT_EQ(errorOf([&] { big->Add(Variant(Long{0})); }), 6);  // beyond the Long range
  EXPECT_EQ(big->upperBound(), 100);
  EXPECT_TRUE(Consistent(*big));
}

// Random adds (at the head, before a node, after a node, before-and-after where
// Before wins, with a negative After, at the end) and removes against a plain
// vector of handles in list order; the list grows well past its first chunk.
TEST(LinkedList, RandomOperationsMatchAModel) {
  std::mt19937 rng(12345);
  auto l = listOf(0);
  Longs model;
  auto pick = [&] { return model[std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(rng)]; };
  for (Long step = 0; step < 3000; ++step) {
    const int op = std::uniform_int_distribution<int>(0, 9)(rng);
    if (op < 6 || model.empty()) {
      Long before = op == 0 ? -1 : 0, after = op == 3 ? -1 : 0;
      if (op == 1 && !model.empty()) before = pick(), after = pick();
      if (op == 2 && !model.empty()) after = pick();
      auto pos = before == -1  ? model.begin()
                 : before > 0 ? std::find(model.begin(), model.end(), before)
                 : after > 0  ? std::find(model.begin(), model.end(), after) + 1
                              : model.end();
      model.insert(pos, l->Add(Variant(step), before, after));
    } else {
      const Long h = pick();
      l->Remove(h);
      model.erase(std::find(model.begin(), model.end(), h));
    }
    ASSERT_TRUE(Consistent(*l)) << "step " << step;
  }
  EXPECT_GT(l->upperBound(), 200);
  Longs linked, values;
  for (Long i = l->headNode(); i != 0; i = l->slot(i).NextNode) linked.push_back(i);
  EXPECT_EQ(linked, model);
  for (Long h : model) values.push_back(l->Item(h).lng());
  EXPECT_EQ(walk(*l, false), values);
}

TEST(LinkedListDynamic, ByReferenceArgumentsOptionalIndexesIdsAndErrors) {
  auto l = createObject("ZSLinkedList");
  auto call = [&](auto member, std::vector<Argument> args) {
    return invoke(*l, member, CallKind::Method, args);
  };
  std::vector<Argument> add{Argument::byReference(Variant(u"x"))};  // never written
  EXPECT_EQ(invoke(*l, "Add", CallKind::Method, add).lng(), 1);
  EXPECT_EQ(add[0].value.string(), u"x");
  EXPECT_EQ(call("find", {Argument::byReference(Variant(u"x")), Argument::omitted()}).lng(), 1);
  call("MoveFirst", {});
  EXPECT_EQ(call("Item", {Argument::omitted()}).string(), u"x");  // omitted: the current node
  call("Remove", {Argument::omitted()});
  EXPECT_TRUE(call("EOL", {}).boolean());
  // The member numbers skip 0x10: CheckIndex is 0x11.
  EXPECT_FALSE(call(methodId(0x11), {Argument::byValue(Variant(Long{1}))}).boolean());
  EXPECT_EQ(errorOf([&] { call(DispId{0x60030010}, {}); }), 438);
  try {
    call("Item", {Argument::byValue(Variant(Long{101}))});
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.description(), "Subscript out of range");
    EXPECT_EQ(e.source(), "VQZavrinStudio.ZSLinkedList");
  }
}

}  // namespace
}  // namespace zs
