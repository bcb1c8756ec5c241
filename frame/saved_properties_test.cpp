#include "frame/saved_properties.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace zs {
namespace {

struct Probe final : Object {
  const ClassInfo* classInfo() const override { return nullptr; }
  int tag = 0;
};

std::span<const std::uint8_t> bodyOf(const std::vector<std::uint8_t>& bytes) {
  return std::span(bytes).subspan(kSavedPropertiesHeader);
}

TEST(SavedProperties, EveryKindComesBackWithItsKindAndValue) {
  auto probe = std::make_shared<Probe>();
  probe->tag = 42;
  const std::vector<SavedProperty> values = {
      {u"Empty", Variant()},
      {u"Null", Variant::null()},
      {u"Style", Variant(Integer{-2})},
      {u"Color", Variant(Long{static_cast<Long>(0x8000000F)})},
      {u"Ratio", Variant(Single{1.5f})},
      {u"Size", Variant(Double{-2.25e300})},
      {u"Price", Variant(Currency::fromScaled(-9223372036854775807LL))},
      {u"Caption", Variant(String(u"caf\u00e9 \u2014 \U0001F600"))},
      {u"NoText", Variant(String())},
      {u"Shown", Variant(Boolean{true})},
      {u"Missing", Variant::missing()},
      {u"Logo", Variant(ObjectPtr(probe))},
      {u"NoLogo", Variant::nothing()},
  };
  const ObjectWriter write = [](const ObjectPtr& o) {
    return std::vector<std::uint8_t>{static_cast<std::uint8_t>(static_cast<Probe&>(*o).tag)};
  };
  const ObjectReader read = [](std::span<const std::uint8_t> b) {
    auto p = std::make_shared<Probe>();
    p->tag = b[0];
    return ObjectPtr(p);
  };
  const auto bytes = encodeSavedProperties(values, write);
  ASSERT_EQ(savedPropertiesBodyLength(bytes), bytes.size() - kSavedPropertiesHeader);
  const auto back = decodeSavedProperties(bodyOf(bytes), read);
  ASSERT_EQ(back.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE(std::string(u8(values[i].name)));
    EXPECT_EQ(back[i].name, values[i].name);
    EXPECT_EQ(back[i].value.kind(), values[i].value.kind());
    if (values[i].value.kind() == Kind::Object && values[i].value.object())
      EXPECT_EQ(static_cast<Probe&>(*back[i].value.object()).tag, 42);
    else
      EXPECT_TRUE(back[i].value.sameAs(values[i].value));
  }
}

TEST(SavedProperties, AnObjectNeedsTheHostSideBothWays) {
  const std::vector<SavedProperty> logo = {{u"Logo", Variant(ObjectPtr(std::make_shared<Probe>()))}};
  EXPECT_THROW(encodeSavedProperties(logo), Error);
  const auto bytes = encodeSavedProperties(logo, [](const ObjectPtr&) { return std::vector<std::uint8_t>{1}; });
  EXPECT_THROW(decodeSavedProperties(bodyOf(bytes)), Error);
}

// Damaged input of every sort is refused with error 5, never read past its end.
TEST(SavedProperties, DamagedDataIsRefused) {
  const auto good = encodeSavedProperties(std::vector<SavedProperty>{{u"Caption", Variant(String(u"abc"))}});
  const auto body = std::vector<std::uint8_t>(good.begin() + kSavedPropertiesHeader, good.end());
  struct Case {
    const char* what;
    std::vector<std::uint8_t> body;
  };
  std::vector<Case> cases;
  for (std::size_t n = 0; n < body.size(); ++n)
    cases.push_back({"cut short", std::vector<std::uint8_t>(body.begin(), body.begin() + n)});
  auto extra = body;
  extra.push_back(0);
  cases.push_back({"trailing byte", extra});
  auto kind = body;
  kind[4 + 4 + 14] = 200;  // count, name length, "Caption"
  cases.push_back({"unknown kind", kind});
  auto huge = body;
  huge[0] = huge[1] = huge[2] = huge[3] = 0xFF;
  cases.push_back({"count beyond the data", huge});
  auto longName = body;
  longName[7] = 0x7F;
  cases.push_back({"name longer than the data", longName});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      decodeSavedProperties(c.body);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), err::kInvalidCall);
    }
  }
}

TEST(SavedProperties, HeadersOfOtherFormatsAreRefused) {
  auto good = encodeSavedProperties({});
  EXPECT_EQ(savedPropertiesBodyLength(good), 4u);
  struct Case {
    const char* what;
    std::size_t at;
    std::uint8_t value;
  };
  for (const Case& c : {Case{"signature", 0, 'X'}, Case{"version", 4, 2}, Case{"over the limit", 9, 0x02}}) {
    SCOPED_TRACE(c.what);
    auto bad = good;
    bad[c.at] = c.value;
    EXPECT_THROW(savedPropertiesBodyLength(bad), Error);
  }
  EXPECT_THROW(savedPropertiesBodyLength(std::span(good).first(9)), Error);
}

TEST(SavedPropertyBag, KeepsWriteOrderFoldsNamesAndLeavesOutDefaults) {
  SavedPropertyBag bag;
  bag.WriteProperty(u"Caption", Variant(String(u"Hi")), Variant(String()));
  bag.WriteProperty(u"Style", Variant(Long{0}), Variant(Long{0}));
  bag.WriteProperty(u"Color", Variant(Long{5}), Variant(Long{0}));
  bag.WriteProperty(u"CAPTION", Variant(String(u"Ho")), Variant(String()));
  ASSERT_EQ(bag.values().size(), 2u);
  EXPECT_EQ(bag.values()[0].name, u"Caption");
  EXPECT_EQ(bag.ReadProperty(u"caption", Variant()).string(), u"Ho");
  EXPECT_EQ(bag.ReadProperty(u"Style", Variant(Long{7})).lng(), 7);
  bag.WriteProperty(u"Color", Variant(Long{0}), Variant(Long{0}));
  EXPECT_EQ(bag.values().size(), 1u);

  SavedPropertyBag all(true);
  all.WriteProperty(u"Style", Variant(Long{0}), Variant(Long{0}));
  EXPECT_EQ(all.values().size(), 1u);
}

}  // namespace
}  // namespace zs
