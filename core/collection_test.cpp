// Collection: index rules, keys, errors that leave it unchanged, references,
// enumeration while it changes, and the dynamic path.
#include "core/collection.h"

#include <gtest/gtest.h>

#include "core/error_testing.h"

#include <map>
#include <random>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"

namespace zs {
namespace {

class Token : public Object {
 public:
  const ClassInfo* classInfo() const override { return nullptr; }
};

using Texts = std::vector<String>;

Texts texts(Collection& c) {
  Texts out;
  for (Long i = 1; i <= c.Count(); ++i) out.push_back(c.Item(Variant(i)).string());
  return out;
}

Texts texts(const std::vector<Variant>& values) {
  Texts out;
  for (const auto& v : values) out.push_back(v.string());
  return out;
}

// a under "one", b under "Two", c without a key.
std::shared_ptr<Collection> abc() {
  auto c = create<Collection>();
  c->Add(Variant(u"a"), u"one");
  c->Add(Variant(u"b"), u"Two");
  c->Add(Variant(u"c"));
  return c;
}

TEST(Collection, SelectsByPositionOrKey) {
  struct Case {
    const char* what;
    Variant index;
    const char16_t* expected;  // null: an error
    int error;
  };
  const Case cases[] = {
      {"Long position", Variant(Long{1}), u"a", 0},
      {"Currency position", Variant(Currency::fromUnits(2)), u"b", 0},
      {"1.5 rounds to even 2", Variant(1.5), u"b", 0},
      {"2.5 rounds to even 2", Variant(2.5), u"b", 0},
      {"key, other letter case", Variant(u"ONE"), u"a", 0},
      {"numeric text is a key", Variant(u"1"), nullptr, 5},
      {"empty key", Variant(u""), nullptr, 5},
      {"position 0", Variant(Long{0}), nullptr, 9},
      {"position past the end", Variant(Long{4}), nullptr, 9},
      {"0.5 rounds to 0", Variant(0.5), nullptr, 9},
      {"beyond Long", Variant(1e12), nullptr, 9},
      {"True is -1", Variant(true), nullptr, 9},
      {"Empty", Variant(), nullptr, 13},
      {"Null", Variant::null(), nullptr, 13},
      {"object", Variant(ObjectPtr(create<Token>())), nullptr, 13},
  };
  auto c = abc();
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    if (k.expected) {
      EXPECT_EQ(c->Item(k.index).string(), k.expected);
    } else {
      EXPECT_EQ(errorOf([&] { c->Item(k.index); }), k.error);
      // Remove rejects the same index the same way and removes nothing.
      EXPECT_EQ(errorOf([&] { c->Remove(k.index); }), k.error);
      EXPECT_EQ(texts(*c), (Texts{u"a", u"b", u"c"}));
    }
  }
}

TEST(Collection, KeysCompareWithoutLetterCase) {
  const struct {
    const char16_t* stored;
    const char16_t* asked;
    bool same;
  } cases[] = {
      {u"\u00C4rger", u"\u00E4RGER", true},                                          // Latin-1
      {u"\u0178", u"\u00FF", true},                                                  // Y/y diaeresis
      {u"\u03A9\u03BC\u03AD\u03B3\u03B1", u"\u03C9\u039C\u0388\u0393\u0391", true},  // Greek
      {u"\uFF21", u"\uFF41", true},                                                  // fullwidth
      {u"stra\u00DFe", u"STRASSE", false},  // no multi-letter folding
      {u"a", u"\u00E0", false},             // accents matter
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(u8(k.stored) + " / " + u8(k.asked));
    auto c = create<Collection>();
    c->Add(Variant(u"x"), k.stored);
    EXPECT_EQ(errorOf([&] { c->Item(Variant(k.asked)); }), k.same ? 0 : 5);
    EXPECT_EQ(errorOf([&] { c->Add(Variant(u"y"), k.asked); }), k.same ? 457 : 0);
  }
}

TEST(Collection, KeysStayUniqueUntilRemovedAndRemoveMovesLaterElementsDown) {
  auto c = abc();
  try {
    c->Add(Variant(u"d"), u"TWO");
    FAIL() << "duplicate key accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 457);
    EXPECT_EQ(e.description(), "This key is already associated with an element of this collection");
  }
  EXPECT_EQ(texts(*c), (Texts{u"a", u"b", u"c"}));
  c->Remove(Variant(Long{1}));
  EXPECT_EQ(errorOf([&] { c->Item(Variant(u"one")); }), 5);
  c->Remove(Variant(u"two"));
  c->Add(Variant(u"b2"), u"two");  // the key is free again
  c->Add(Variant(u"e"));           // an empty key is no key: never a clash
  c->Add(Variant(u"f"), u"");
  EXPECT_EQ(texts(*c), (Texts{u"c", u"b2", u"e", u"f"}));
  EXPECT_EQ(c->Item(Variant(u"TWO")).string(), u"b2");
}

TEST(Collection, HoldsObjectsByReference) {
  auto c = create<Collection>();
  ObjectPtr token = create<Token>();
  c->Add(Variant(token), u"t");
  EXPECT_EQ(c->Item(Variant(u"T")).object(), token);
  c->Remove(Variant(u"t"));
  EXPECT_EQ(token.use_count(), 1);  // released by the collection
}

// A long random run against a simple model catches index and key bookkeeping
// faults that short cases miss.
TEST(Collection, MatchesAModelUnderRandomUse) {
  std::mt19937 rng(99);
  auto c = create<Collection>();
  std::vector<std::pair<String, String>> model;  // value, key ("" none)
  std::map<String, String> byKey;
  int serial = 0;
  for (int step = 0; step < 20000; ++step) {
    const unsigned roll = rng() % 10;
    if (model.empty() || roll < 5) {
      String value = u"v" + u16(std::to_string(serial++));
      String key = (rng() % 2) ? u"k" + u16(std::to_string(rng() % 3000)) : String();
      const bool clash = !key.empty() && byKey.contains(key);
      EXPECT_EQ(errorOf([&] { c->Add(Variant(value), key); }), clash ? 457 : 0);
      if (!clash) {
        model.emplace_back(value, key);
        if (!key.empty()) byKey[key] = value;
      }
    } else if (roll < 8) {
      const std::size_t i = rng() % model.size();
      c->Remove(Variant(static_cast<Long>(i + 1)));
      if (!model[i].second.empty()) byKey.erase(model[i].second);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (!byKey.empty()) {
      auto it = byKey.begin();
      std::advance(it, static_cast<long>(rng() % byKey.size()));
      const String key = it->first;
      c->Remove(Variant(u"K" + key.substr(1)));  // other letter case
      byKey.erase(key);
      std::erase_if(model, [&](const auto& e) { return e.second == key; });
    }
    if (step % 500 == 0 || step == 19999) {
      ASSERT_EQ(c->Count(), static_cast<Long>(model.size()));
      for (std::size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(c->Item(Variant(static_cast<Long>(i + 1))).string(), model[i].first);
        ASSERT_EQ(c->keyAt(i), model[i].second);  // as given, not folded
      }
      ASSERT_EQ(c->keyAt(model.size()), u"");
      for (const auto& [key, value] : byKey) ASSERT_EQ(c->Item(Variant(key)).string(), value);
    }
  }
}

// The enumerator keeps the elements alive: every check here runs after the
// collection itself is gone.
TEST(CollectionEnumerator, VisitsInPositionOrderInBatchesAndOutlivesItsCollection) {
  std::shared_ptr<Enumerator> e;
  {
    auto c = abc();
    c->Add(Variant(u"d"));
    e = c->NewEnum();
  }
  EXPECT_EQ(texts(e->Next(3)), (Texts{u"a", u"b", u"c"}));
  EXPECT_EQ(texts(e->Next(3)), (Texts{u"d"}));  // fewer at the end
  EXPECT_TRUE(e->Next(3).empty());
  e->Reset();
  EXPECT_TRUE(e->Skip(2));
  auto copy = e->Clone();
  EXPECT_EQ(texts(e->Next(1)), (Texts{u"c"}));
  EXPECT_EQ(texts(copy->Next(5)), (Texts{u"c", u"d"}));  // independent
  EXPECT_FALSE(e->Skip(5));
  EXPECT_TRUE(e->Next(1).empty());
  EXPECT_TRUE(create<Collection>()->NewEnum()->Next(10).empty());
}

TEST(CollectionEnumerator, FollowsChangesWithoutRepeatsOrSkips) {
  const struct {
    const char* what;
    void (*change)(Collection&);  // after a and b were visited
    Texts rest;
  } cases[] = {
      {"visited elements removed",
       [](Collection& c) { c.Remove(Variant(Long{1})); c.Remove(Variant(Long{1})); }, {u"c", u"d"}},
      {"next element removed", [](Collection& c) { c.Remove(Variant(Long{3})); }, {u"d"}},
      {"everything removed", [](Collection& c) { while (c.Count() > 0) c.Remove(Variant(Long{1})); }, {}},
      {"removed then added",
       [](Collection& c) { c.Remove(Variant(u"one")); c.Remove(Variant(Long{2})); c.Add(Variant(u"e")); },
       {u"d", u"e"}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    auto c = abc();
    c->Add(Variant(u"d"));
    auto e = c->NewEnum();
    ASSERT_EQ(texts(e->Next(2)), (Texts{u"a", u"b"}));
    k.change(*c);
    EXPECT_EQ(texts(e->Next(100)), k.rest);
  }
}

}  // namespace
}  // namespace zs
