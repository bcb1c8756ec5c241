#include "server/small_list.h"

#include <gtest/gtest.h>

#include <string>

namespace zs::server {
namespace {

bool insideOf(const void* object, std::size_t size, const void* p) {
  const auto* begin = static_cast<const char*>(object);
  return p >= begin && p < begin + size;
}

TEST(SmallList, KeepsFewElementsInsideAndMovesManyToTheHeapInOrder) {
  SmallList<std::string, 3> list;
  list.push_back("a");
  list.resize(3);  // new elements are empty
  list[2] = "c";
  EXPECT_TRUE(insideOf(&list, sizeof list, list.data()));
  list.push_back("d");  // the fourth moves them all to the heap
  EXPECT_FALSE(insideOf(&list, sizeof list, list.data()));
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "c");
  EXPECT_EQ(list[3], "d");
  list.resize(1);
  EXPECT_EQ(list.all().size(), 1u);
  EXPECT_EQ(list.all()[0], "a");
}

TEST(SmallList, ShrinkingInsideClearsTheElementsLeft) {
  SmallList<int*, 4> slots(4);
  int x = 0;
  slots[3] = &x;
  slots.resize(2);
  slots.resize(4);
  EXPECT_EQ(slots[3], nullptr) << "a slot given back must not keep an old pointer";
}

}  // namespace
}  // namespace zs::server
