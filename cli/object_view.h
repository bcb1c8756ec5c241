// What a value holds, gathered for printing: a collection's items in order
// (position, key, value) and an item's public fields and read-only
// properties, each expanded in turn, within limits.
//
// Reading never changes state or opens a window: only objects of item and
// collection classes (and the runtime Collection) are looked into, and only
// through their fields, their read-only property gets without parameters,
// Count and Item. Every other object shows as its class name. The rule is
// described in docs/automation-host.md.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/variant.h"

namespace zs::cli {

struct ViewLimits {
  int depth = 4;             // object levels looked into
  std::size_t items = 100;   // items shown of each collection
  std::size_t values = 10000;  // values gathered in all
};

struct View {
  // Why a view holds less than its object has.
  enum class Cut { None, Depth, Items, Values, Cycle };

  struct Property;
  struct Item;

  Variant value;
  std::optional<Error> error;      // reading the value failed
  std::optional<Long> count;       // a collection's Count
  std::vector<Property> properties;
  std::vector<Item> items;
  Cut cut = Cut::None;
};

struct View::Property {
  std::string_view name;
  View view;
};

struct View::Item {
  Long position;
  String key;  // empty when the item has none
  View view;
};

View inspect(const Variant& value, const ViewLimits& limits = {});

// The words a printed view uses for a cut: "depth limit", "item limit", ...
std::string_view cutText(View::Cut cut);

}  // namespace zs::cli
