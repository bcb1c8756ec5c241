// Objects printed with what they hold: collections of the registry and folder
// selection, nested collections, every kind of cut, and the JSON form read
// back by a JSON parser.
#include "cli/object_view.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/json_values.h"
#include "cli/view_format.h"
#include "core/collection.h"
#include "frame/factory.h"
#include "frame/keyed_collections.h"

namespace zs::cli {
namespace {

std::string text(const ObjectPtr& object, ViewLimits limits = {}) {
  return viewText(inspect(Variant(object), limits));
}

nlohmann::json json(const ObjectPtr& object, ViewLimits limits = {}) {
  std::string out;
  appendViewJson(out, inspect(Variant(object), limits));
  return nlohmann::json::parse(out);
}

TEST(ObjectView, ItemCollectionsPrintTheirItemsInOrderWithKeysAndFields) {
  auto keys = create<RegistryKeys>();
  keys->Add(u"Software");
  keys->Add(u"System", u"SysKey");
  EXPECT_EQ(text(keys),
            "Object ZSRegistryKeys, Count 2\n"
            "  1: Object ZSRegistryKey\n"
            "    KeyNames: String \"Software\"\n"
            "  2 (key \"SysKey\"): Object ZSRegistryKey\n"
            "    KeyNames: String \"System\"");

  auto values = create<RegistryValues>();
  values->Add(u"Name", Variant(u"hello"), 1);
  values->Add(u"Size", Variant(Long{42}), 4, u"s");
  EXPECT_EQ(text(values),
            "Object ZSRegistryValues, Count 2\n"
            "  1: Object ZSRegistryValue\n"
            "    ValueName: String \"Name\"\n"
            "    ValueData: String \"hello\"\n"
            "    DataType: Long 1\n"
            "  2 (key \"s\"): Object ZSRegistryValue\n"
            "    ValueName: String \"Size\"\n"
            "    ValueData: Long 42\n"
            "    DataType: Long 4");

  auto folders = create<FolderSelectValues>();
  folders->Add(u"Documents", u"/home/u/Documents", u"docs");
  EXPECT_EQ(text(folders),
            "Object ZSFolderSelectValues, Count 1\n"
            "  1 (key \"docs\"): Object ZSFolderSelectValue\n"
            "    TheUserSelected: String \"Documents\"\n"
            "    PhysicalLocation: String \"/home/u/Documents\"");
}

TEST(ObjectView, NestedCollectionsAndObjectsNotLookedInto) {
  auto inner = create<Collection>();
  inner->Add(Variant(u"x"), u"Inner");
  auto outer = create<Collection>();
  outer->Add(Variant(Integer{5}));
  outer->Add(Variant(ObjectPtr(inner)), u"Nested");
  outer->Add(Variant(createObject("ZSNumbers")));  // a control: its class only
  outer->Add(Variant::nothing());
  auto values = create<RegistryValues>();
  values->Add(u"Data", Variant(ObjectPtr(outer)), 0);
  EXPECT_EQ(text(values),
            "Object ZSRegistryValues, Count 1\n"
            "  1: Object ZSRegistryValue\n"
            "    ValueName: String \"Data\"\n"
            "    ValueData: Object Collection, Count 4\n"
            "      1: Integer 5\n"
            "      2 (key \"Nested\"): Object Collection, Count 1\n"
            "        1 (key \"Inner\"): String \"x\"\n"
            "      3: Object ZSNumbers\n"
            "      4: Nothing\n"
            "    DataType: Long 0");
}

ViewLimits limits(int depth, std::size_t items, std::size_t values = 10000) {
  ViewLimits l;
  l.depth = depth;
  l.items = items;
  l.values = values;
  return l;
}

TEST(ObjectView, CutsSayWhy) {
  auto c = create<Collection>();
  for (Long i = 1; i <= 5; ++i) c->Add(Variant(i));
  auto outer = create<Collection>();
  outer->Add(Variant(ObjectPtr(c)));
  outer->Add(Variant(ObjectPtr(outer)));  // holds itself

  const struct {
    const char* what;
    std::shared_ptr<Collection> shown;
    ViewLimits limits;
    const char* text;
  } cases[] = {
      {"items", c, limits(4, 2),
       "Object Collection, Count 5\n  1: Long 1\n  2: Long 2\n"
       "  ... 3 more items not shown (item limit)"},
      {"depth", outer, limits(1, 100),
       "Object Collection, Count 2\n"
       "  1: Object Collection, Count 5 (not expanded: depth limit)\n"
       "  2: Object Collection, Count 2 (not expanded: depth limit)"},
      {"cycle", outer, limits(10, 100),
       "Object Collection, Count 2\n"
       "  1: Object Collection, Count 5\n    1: Long 1\n    2: Long 2\n    3: Long 3\n"
       "    4: Long 4\n    5: Long 5\n"
       "  2: Object Collection, Count 2 (not expanded: already shown above)"},
      {"values", c, limits(4, 100, 3),
       "Object Collection, Count 5\n  1: Long 1\n  2: Long 2\n"
       "  ... the rest not shown (value limit)"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    EXPECT_EQ(text(k.shown, k.limits), k.text);
  }

  const auto cut = json(c, cases[0].limits);
  EXPECT_EQ(cut["count"], 5);
  EXPECT_EQ(cut["items"].size(), 2u);
  EXPECT_EQ(cut["cut"], "item limit");
  EXPECT_FALSE(json(outer, cases[1].limits)["items"][0]["value"].contains("items"));
  outer->Remove(Variant(Long{2}));  // no cycle left to leak
}

TEST(ObjectView, JsonUsesTheHostValueEncodingAndReadsBack) {
  auto c = create<Collection>();
  const Variant values[] = {Variant(),
                            Variant::null(),
                            Variant(Integer{-7}),
                            Variant(Long{2147483647}),
                            Variant(Single{0.1f}),
                            Variant(Double{-1e300}),
                            Variant(Currency::fromScaled(-12345)),
                            Variant(String(u"quote \" and \u00e9")),
                            Variant(true),
                            Variant(ErrorCode{-2147352572}),
                            Variant::nothing()};
  for (const auto& v : values) c->Add(v);
  c->Add(Variant(u"keyed"), u"K\u00e9y");
  const auto doc = json(c);
  EXPECT_EQ(doc["type"], "Object");
  EXPECT_EQ(doc["class"], "Collection");
  ASSERT_EQ(doc["items"].size(), std::size(values) + 1);
  HandleTable handles;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(doc["items"][i]["position"], i + 1);
    EXPECT_FALSE(doc["items"][i].contains("key"));
    EXPECT_TRUE(readValue(doc["items"][i]["value"], handles).sameAs(values[i]));
  }
  EXPECT_EQ(doc["items"].back()["key"], "K\u00e9y");

  auto keys = create<RegistryKeys>();
  keys->Add(u"One", u"k");
  const auto item = json(keys)["items"][0];
  EXPECT_EQ(item["value"]["class"], "ZSRegistryKey");
  EXPECT_EQ(item["value"]["properties"]["KeyNames"]["value"], "One");
}

}  // namespace
}  // namespace zs::cli
