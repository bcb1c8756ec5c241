// ZSStack: last in, first out over the frame's Collection; objects come back
// as themselves; an empty stack raises 9 and stays empty.
#include "utils/stack.h"

#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "core/error.h"
#include "frame/factory.h"

namespace zs {
namespace {

int errorOf(auto&& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(Stack, LastInFirstOutAndAnEmptyStackRaises9ForPopAndPeek) {
  auto s = create<Stack>();
  EXPECT_EQ(errorOf([&] { s->Peek(); }), 9);
  EXPECT_EQ(errorOf([&] { s->Pop(); }), 9);
  EXPECT_EQ(s->Count(), 0);
  for (Long v : {1, 2, 3}) {
    Variant value(v);
    s->Push(value);
  }
  EXPECT_EQ(s->Pop().lng(), 3);
  EXPECT_EQ(s->Peek().lng(), 2);
  EXPECT_EQ(s->Count(), 2);
  EXPECT_EQ(s->Pop().lng(), 2);
  EXPECT_EQ(s->Pop().lng(), 1);
  EXPECT_EQ(errorOf([&] { s->Pop(); }), 9);
  EXPECT_EQ(s->Count(), 0);
}

TEST(Stack, DynamicPathKeepsObjectsAndLeavesThePushedVariable) {
  ObjectPtr s = createObject("ZSStack");
  ObjectPtr thing = createObject("Collection");
  std::vector<Argument> push{Argument::byReference(Variant(thing))};
  invoke(*s, methodId(0), CallKind::Method, push);
  std::vector<Argument> pushText{Argument::byReference(Variant(u"top"))};
  invoke(*s, "Push", CallKind::Method, pushText);
  EXPECT_EQ(pushText[0].value.string(), u"top");

  std::vector<Argument> none;
  EXPECT_EQ(invoke(*s, methodId(3), CallKind::Method, none).lng(), 2);           // Count
  EXPECT_EQ(invoke(*s, methodId(2), CallKind::Method, none).string(), u"top");  // Peek
  EXPECT_EQ(invoke(*s, methodId(1), CallKind::Method, none).string(), u"top");  // Pop
  EXPECT_EQ(invoke(*s, "Pop", CallKind::Method, none).object(), thing);  // the same object
  try {
    invoke(*s, "Peek", CallKind::Method, none);
    FAIL() << "Peek on an empty stack";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.source(), "VQZavrinStudio.ZSStack");
  }
}

}  // namespace
}  // namespace zs
