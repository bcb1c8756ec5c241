#include "core/property_bag.h"

#include <gtest/gtest.h>

namespace zs {
namespace {

TEST(MemoryPropertyBag, LeavesOutDefaultsAndReturnsDefaultsForAbsentNames) {
  MemoryPropertyBag bag;
  bag.WriteProperty(u"Caption", Variant(String(u"Hello")), Variant(String()));
  bag.WriteProperty(u"Style", Variant(Long{0}), Variant(Long{0}));
  bag.WriteProperty(u"Count", Variant(String(u"0")), Variant(Long{0}));
  EXPECT_TRUE(bag.contains(u"caption"));
  EXPECT_FALSE(bag.contains(u"Style"));
  EXPECT_TRUE(bag.contains(u"Count"));  // a String "0" is not the Long default
  EXPECT_EQ(bag.ReadProperty(u"CAPTION", Variant()).string(), u"Hello");
  EXPECT_EQ(bag.ReadProperty(u"Style", Variant(Long{3})).lng(), 3);

  // Writing the default again removes an earlier value.
  bag.WriteProperty(u"Caption", Variant(String()), Variant(String()));
  EXPECT_FALSE(bag.contains(u"Caption"));
}

}  // namespace
}  // namespace zs
