// ZSLinkedList: links, free chain and handles after every operation, the
// position and its ends, growth, the error paths and the dynamic layer.
#include "utils/linked_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "frame/dispatch.h"
#include "frame/error.h"
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

int errorOf(auto&& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

Longs freeChain(const LinkedList& l) {
  Longs chain;
  for (Long i = l.freeNode(); i != 0; i = l.slot(i).NextNode) chain.push_back(i);
  return chain;
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
  EXPECT_TRUE(l->IsEmpty() && l->BOL() && l->EOL());
  EXPECT_EQ(l->Count(), 0);
  EXPECT_EQ(l->upperBound(), 100);
  EXPECT_EQ(freeChain(*l).front(), 1);
  EXPECT_EQ(freeChain(*l).back(), 100);
  for (Long v = 1; v <= 3; ++v) EXPECT_EQ(l->Add(Variant(v * 10)), v);
  EXPECT_EQ(l->CurrentIndex(), 0);  // Add does not move the position
  EXPECT_TRUE(l->BOL() && !l->EOL());
  EXPECT_TRUE(l->Item().isEmpty());
  l->MoveFirst();
  EXPECT_EQ(l->Item().lng(), 10);
  EXPECT_TRUE(Consistent(*l));
}

TEST(LinkedList, InsertPositions) {
  struct Case {
    const char* name;
    std::vector<std::pair<Long, Long>> beforeAfter;  // for the values 1, 2, 3...
    Longs order;
  };
  const Case cases[] = {
      {"append", {{0, 0}, {0, 0}, {0, 0}}, {1, 2, 3}},
      {"before the first", {{0, 0}, {0, 0}, {1, 0}}, {3, 1, 2}},
      {"before a middle node", {{0, 0}, {0, 0}, {2, 0}}, {1, 3, 2}},
      {"negative Before: appends when empty, else goes first", {{-1, 0}, {-5, 0}}, {2, 1}},
      {"after the last, then append", {{0, 0}, {0, 1}, {0, 2}, {0, 0}}, {1, 2, 3, 4}},
      {"after a middle node", {{0, 0}, {0, 0}, {0, 1}}, {1, 3, 2}},
      {"negative After appends", {{0, 0}, {0, 0}, {0, -3}}, {1, 2, 3}},
      {"Before wins over After", {{0, 0}, {0, 0}, {2, 1}}, {1, 3, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto l = listOf(0);
    Long value = 0;
    for (auto [before, after] : c.beforeAfter) {
      EXPECT_EQ(l->Add(Variant(++value), before, after), value);
      ASSERT_TRUE(Consistent(*l));
    }
    EXPECT_EQ(walk(*l, true), c.order);
    EXPECT_EQ(walk(*l, false), c.order);
  }
}

TEST(LinkedList, RemoveUnlinksFreesTheSlotAndMovesThePosition) {
  struct Case {
    const char* name;
    Long nodes, current, index;  // index 0: the current node
    Longs order;
    Long positionAfter;
    bool eol;
  };
  const Case cases[] = {
      {"head", 3, 0, 1, {2, 3}, 0, false},
      {"middle", 3, 0, 2, {1, 3}, 0, false},
      {"tail", 3, 0, 3, {1, 2}, 0, false},
      {"the only node", 1, 0, 1, {}, 0, true},
      {"current moves to its successor", 3, 2, 0, {1, 3}, 3, false},
      {"current tail leaves EOL", 3, 3, 0, {1, 2}, 0, true},
      {"another node keeps the position", 3, 1, 3, {1, 2}, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto l = listOf(c.nodes);
    l->Move(c.current);
    const Long removed = c.index ? c.index : c.current;
    l->Remove(c.index);
    ASSERT_TRUE(Consistent(*l));
    EXPECT_EQ(l->CurrentIndex(), c.positionAfter);
    EXPECT_EQ(l->EOL(), c.eol);
    EXPECT_FALSE(l->CheckIndex(removed));
    EXPECT_EQ(walk(*l, true), c.order);
    EXPECT_EQ(walk(*l, false), c.order);
    EXPECT_EQ(l->Add(Variant(Long{9})), removed);  // the freed slot comes back first
    EXPECT_EQ(l->tailNode(), removed);
    ASSERT_TRUE(Consistent(*l));
  }
}

TEST(LinkedList, GrowthSetSizeAndRemoveAll) {
  auto l = listOf(100);
  EXPECT_EQ(l->Add(Variant(Long{101})), 101);
  EXPECT_EQ(l->upperBound(), 200);
  for (Long v = 1; v <= 100; ++v) ASSERT_EQ(l->slot(v).NextNode, v + 1);  // links kept
  EXPECT_TRUE(Consistent(*l));

  auto s = listOf(0);
  s->SetSize(150);
  EXPECT_EQ(s->upperBound(), 150);
  for (Long v = 101; v <= 150; ++v) ASSERT_EQ(s->Add(Variant(v)), v);  // new slots first
  EXPECT_EQ(s->Add(Variant(Long{1})), 1);
  s->SetSize(120);  // never shrinks
  EXPECT_EQ(s->upperBound(), 150);

  // A positive ChunkSize becomes the step; 0 keeps it; RemoveAll restores 100.
  s->SetSize(1, 10);
  s->SetSize(1);
  for (Long v = 2; v <= 101; ++v) s->Add(Variant(v));
  EXPECT_EQ(s->upperBound(), 160);
  EXPECT_TRUE(Consistent(*s));
  s->Move(50);
  s->MoveNext();
  s->RemoveAll();
  EXPECT_EQ(s->upperBound(), 100);
  EXPECT_EQ(s->growBy(), 100);
  EXPECT_TRUE(s->IsEmpty() && s->CurrentIndex() == 0 && !s->movedForward());
  EXPECT_EQ(s->Add(Variant(Long{1})), 1);
  EXPECT_TRUE(Consistent(*s));
}

TEST(LinkedList, PositionEnds) {
  auto l = listOf(2);
  l->MoveLast();
  l->MoveNext();
  l->MoveNext();  // stays at the end
  EXPECT_TRUE(l->EOL() && !l->BOL());
  l->MoveFirst();  // MoveFirst and MoveLast keep the direction
  EXPECT_FALSE(l->BOL());
  l->MovePrevious();
  EXPECT_TRUE(l->BOL() && !l->EOL());
  // Steps from a free slot (or a never used one) end at 0, never on the free chain.
  l->Remove(1);
  for (Long slot : {1, 50})
    for (bool forward : {true, false}) {
      l->Move(slot);
      EXPECT_TRUE(l->Item().isEmpty());
      forward ? l->MoveNext() : l->MovePrevious();
      EXPECT_EQ(l->CurrentIndex(), 0);
      EXPECT_EQ(l->EOL(), forward);
      EXPECT_EQ(l->BOL(), !forward);
    }
  EXPECT_TRUE(Consistent(*l));
}

TEST(LinkedList, FindScansSlotIndexesUpToTheTailSlot) {
  auto l = listOf(0);
  l->Add(Variant(u"A"));
  l->Add(Variant(u"B"));
  l->Add(Variant(u"C"), 1);  // the list runs C, A, B in slots 3, 1, 2
  EXPECT_EQ(l->Find(Variant(u"C")), 0);  // slot 3 lies above the tail's slot 2
  EXPECT_EQ(l->Find(Variant(u"B")), 2);
  EXPECT_EQ(l->Find(Variant(u"A"), 2), 0);
  EXPECT_EQ(l->Find(Variant(u"A"), 500), 0);

  auto n = listOf(0);
  n->Add(Variant(Integer{5}));
  n->Add(Variant(u"5"));
  n->Add(Variant(Double{7.0}));
  n->Remove(2);  // slot 2 free, the tail is slot 3
  const std::pair<Variant, Long> cases[] = {
      {Variant(Double{5.0}), 1}, {Variant(Long{7}), 3}, {Variant(u"7"), 0},
      {Variant(), 2},  // the free slot in range is Empty
      {Variant(String()), 2},    {Variant::null(), 0},
  };
  for (const auto& [value, slot] : cases) EXPECT_EQ(n->Find(value), slot);

  class Thing : public Object {
   public:
    const ClassInfo* classInfo() const override { return nullptr; }
  };
  ObjectPtr a = std::make_shared<Thing>(), b = std::make_shared<Thing>();
  std::weak_ptr<Object> watch = a;
  auto o = listOf(0);
  o->Add(Variant(a));
  o->Add(Variant(b));
  o->Add(Variant(Long{0}));
  EXPECT_EQ(o->Find(Variant(b)), 2);        // objects by identity
  EXPECT_EQ(o->Find(Variant(Long{0})), 3);  // an object is not 0
  EXPECT_EQ(o->Item(1).object(), a);        // the same reference comes back
  a.reset();
  o->Remove(1);
  EXPECT_TRUE(watch.expired());  // removing the node releases the object
}

// Every rejected call leaves the list, its count, its position and its free
// chain exactly as they were.
TEST(LinkedList, RejectedCallsChangeNothing) {
  struct Case {
    const char* name;
    int error;
    void (*call)(LinkedList&);
  };
  // The list holds 1, 3, 4 (slot 2 freed, first on the free chain); position at 3.
  const Case cases[] = {
      {"Move below 0", 9, [](LinkedList& l) { l.Move(-1); }},
      {"Move above the table", 9, [](LinkedList& l) { l.Move(101); }},
      {"Item below 0", 9, [](LinkedList& l) { l.Item(-2); }},
      {"Item above the table", 9, [](LinkedList& l) { l.Item(101); }},
      {"CheckIndex below 0", 9, [](LinkedList& l) { l.CheckIndex(-1); }},
      {"CheckIndex above the table", 9, [](LinkedList& l) { l.CheckIndex(1000); }},
      {"Find from a negative start", 9, [](LinkedList& l) { l.Find(Variant(), -1); }},
      {"Remove above the table", 9, [](LinkedList& l) { l.Remove(101); }},
      {"Remove below 0", 9, [](LinkedList& l) { l.Remove(-1); }},
      {"Remove a free slot", 9, [](LinkedList& l) { l.Remove(2); }},
      {"Remove a never used slot", 9, [](LinkedList& l) { l.Remove(99); }},
      {"Remove at the end", 9, [](LinkedList& l) { l.MoveLast(); l.MoveNext(); l.Remove(); }},
      {"Add before the slot it would take", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 2); }},
      {"Add after a free slot", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 0, 50); }},
      {"Add before outside the table", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 101); }},
      {"Add after outside the table", 9, [](LinkedList& l) { l.Add(Variant(Long{7}), 0, 500); }},
      {"SetSize 0", 5, [](LinkedList& l) { l.SetSize(0); }},
      {"SetSize negative chunk", 5, [](LinkedList& l) { l.SetSize(500, -1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto l = listOf(4);
    l->Remove(2);
    l->Move(3);
    const auto chain = freeChain(*l);
    EXPECT_EQ(errorOf([&] { c.call(*l); }), c.error);
    EXPECT_TRUE(Consistent(*l));
    EXPECT_EQ(l->Count(), 3);
    EXPECT_EQ(l->upperBound(), 100);
    EXPECT_EQ(l->growBy(), 100);
    EXPECT_EQ(freeChain(*l), chain);
    EXPECT_EQ(walk(*l, true), (Longs{1, 3, 4}));
  }
  auto empty = listOf(0);
  EXPECT_EQ(errorOf([&] { empty->Remove(); }), 9);
  EXPECT_TRUE(Consistent(*empty));
}

TEST(LinkedList, GrowthFailuresAndTheGrowthBeforeARejectedAdd) {
  auto l = listOf(100);
  // Full table: Add grows it first, then 150 is a free slot of the new chunk.
  EXPECT_EQ(errorOf([&] { l->Add(Variant(Long{0}), 150); }), 9);
  EXPECT_EQ(l->upperBound(), 200);
  EXPECT_EQ(l->Count(), 100);
  EXPECT_TRUE(Consistent(*l));

  auto big = listOf(0);
  big->SetSize(1, 2147483647);
  for (Long v = 1; v <= 100; ++v) big->Add(Variant(v));
  EXPECT_EQ(errorOf([&] { big->Add(Variant(Long{0})); }), 6);  // beyond the Long range
  EXPECT_EQ(big->upperBound(), 100);
  EXPECT_TRUE(Consistent(*big));
}

// Random operations against a plain vector of handles in list order.
TEST(LinkedList, RandomOperationsMatchAModel) {
  std::mt19937 rng(12345);
  auto l = listOf(0);
  Longs model;
  auto pick = [&] { return model[std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(rng)]; };
  for (Long step = 0; step < 3000; ++step) {
    const int op = std::uniform_int_distribution<int>(0, 9)(rng);
    if (op < 5 || model.empty()) {
      Long before = op == 0 ? -1 : 0, after = 0;
      if (op == 1 && !model.empty()) before = pick();
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
  Longs linked;
  for (Long i = l->headNode(); i != 0; i = l->slot(i).NextNode) linked.push_back(i);
  EXPECT_EQ(linked, model);
}

TEST(LinkedListDynamic, MemberTableHasExactlyTheseIds) {
  const ClassInfo& cls = classNamed("ZSLinkedList");
  const std::pair<std::string_view, DispId> expected[] = {
      {"CurrentIndex", 0x60030000}, {"MoveFirst", 0x60030001}, {"MoveLast", 0x60030002},
      {"MovePrevious", 0x60030003}, {"MoveNext", 0x60030004},  {"Move", 0x60030005},
      {"BOL", 0x60030006},          {"EOL", 0x60030007},       {"Item", 0x60030008},
      {"IsEmpty", 0x60030009},      {"Count", 0x6003000A},     {"Find", 0x6003000B},
      {"Add", 0x6003000C},          {"Remove", 0x6003000D},    {"RemoveAll", 0x6003000E},
      {"SetSize", 0x6003000F},      {"CheckIndex", 0x60030011},
  };
  ASSERT_EQ(cls.members().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(cls.members()[i].name, expected[i].first);
    EXPECT_EQ(cls.members()[i].dispid, expected[i].second) << expected[i].first;
  }
  auto l = createObject("VQZavrinStudio.ZSLinkedList");
  std::vector<Argument> none;
  EXPECT_EQ(errorOf([&] { invoke(*l, DispId{0x60030010}, CallKind::Method, none); }), 438);
}

TEST(LinkedListDynamic, ByReferenceArgumentsStayAsTheCallerPassedThem) {
  auto l = createObject("ZSLinkedList");
  auto call = [&](auto member, std::vector<Argument>& args) {
    return invoke(*l, member, CallKind::Method, args);
  };
  std::vector<Argument> add{Argument::byReference(Variant(u"x"))};
  EXPECT_EQ(call("Add", add).lng(), 1);
  EXPECT_EQ(add[0].value.string(), u"x");
  std::vector<Argument> addAfter{Argument::byReference(Variant(Integer{3})), Argument::omitted(),
                                 Argument::byValue(Variant(u"1"))};
  EXPECT_EQ(call(methodId(0x0C), addAfter).lng(), 2);
  EXPECT_EQ(addAfter[0].value.integer(), 3);

  std::vector<Argument> find{Argument::byReference(Variant(Double{3.0})),
                             Argument::byReference(Variant(Long{1}))};
  EXPECT_EQ(call("Find", find).lng(), 2);
  EXPECT_EQ(find[0].value.dbl(), 3.0);
  EXPECT_EQ(find[1].value.lng(), 1);
  std::vector<Argument> findDefault{Argument::byReference(Variant(u"x")), Argument::omitted()};
  EXPECT_EQ(call("find", findDefault).lng(), 1);

  std::vector<Argument> none, omitted{Argument::omitted()};
  call("MoveFirst", none);
  EXPECT_EQ(call("Item", omitted).string(), u"x");  // omitted: the current node
  call("Remove", omitted);
  EXPECT_EQ(call("Count", none).lng(), 1);
  EXPECT_EQ(call("CurrentIndex", none).lng(), 2);
  std::vector<Argument> check{Argument::byValue(Variant(Long{1}))};
  EXPECT_FALSE(call(methodId(0x11), check).boolean());
}

TEST(LinkedListDynamic, ErrorsCarryNumberDescriptionAndSource) {
  auto l = createObject("ZSLinkedList");
  struct Case {
    const char* member;
    std::vector<Argument> args;
    int number;
    const char* description;
  };
  Case cases[] = {
      {"Item", {Argument::byValue(Variant(Long{101}))}, 9, "Subscript out of range"},
      {"Remove", {Argument::omitted()}, 9, "Subscript out of range"},
      {"SetSize", {Argument::byValue(Variant(Long{5})), Argument::byValue(Variant(Long{-1}))}, 5,
       "Invalid procedure call or argument"},
      {"Move", {}, 449, "Argument not optional"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.member);
    try {
      invoke(*l, c.member, CallKind::Method, c.args);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.description(), c.description);
      EXPECT_EQ(e.source(), "VQZavrinStudio.ZSLinkedList");
    }
  }
  EXPECT_TRUE(Consistent(static_cast<LinkedList&>(*l)));
}

}  // namespace
}  // namespace zs
