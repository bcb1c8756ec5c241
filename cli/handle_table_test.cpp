#include "cli/handle_table.h"

#include <gtest/gtest.h>

#include "core/collection.h"
#include "core/error_testing.h"

namespace zs::cli {
namespace {

TEST(HandleTable, ReleaseAllBreaksACycleTheClientLetGoOfLongAgo) {
  HandleTable table;
  auto cycle = create<Collection>();
  cycle->Add(Variant(ObjectPtr(cycle)));
  const std::weak_ptr<Object> watched = cycle;
  table.release(table.add(cycle));
  cycle.reset();
  // Thousands of objects come and go after it: the list of objects handed out
  // is pruned several times on the way, and must keep the one still alive.
  Handle last = 0;
  for (int i = 0; i < 5000; ++i) {
    last = table.add(create<Collection>());
    if (i % 2 == 0) table.release(last);
  }
  EXPECT_FALSE(watched.expired());
  EXPECT_EQ(table.size(), 2500u);
  table.releaseAll();
  EXPECT_TRUE(watched.expired());
  EXPECT_EQ(table.size(), 0u);
  EXPECT_EQ(errorOf([&] { table.get(last); }), 424);
  // The table serves on with new handles.
  EXPECT_GT(table.add(create<Collection>()), last);
}

}  // namespace
}  // namespace zs::cli
