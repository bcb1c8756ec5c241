#include "cli/object_view.h"

#include <algorithm>

#include "core/collection.h"
#include "core/dispatch.h"
#include "frame/catalogue.h"
#include "frame/keyed_collections.h"

namespace zs::cli {
namespace {

// Whether objects of the class may be looked into: item and collection
// classes hold what a call returned; the runtime Collection holds values.
bool viewable(const ClassInfo& cls) {
  return cls.built() && (cls.kind == ClassKind::Item || cls.kind == ClassKind::Collection ||
                         &cls == &classInfo(ClassId::Collection));
}

// A property that may be read to show it: a field, or a get without
// parameters that no let or set accompanies (so it only reports), not hidden
// and not an enumerator.
bool shownProperty(const ClassInfo& cls, const Member& m) {
  if (m.kind == MemberKind::Field) return true;
  if (m.kind != MemberKind::Get || !m.params.empty() || m.hidden) return false;
  if (m.result.type == Type::Unknown || m.dispid == kDefaultMemberId) return false;
  for (const Member& other : cls.members())
    if (other.dispid == m.dispid && (other.kind == MemberKind::Let || other.kind == MemberKind::Set))
      return false;
  return true;
}

String keyAt(Object& object, std::size_t index) {
  if (auto* c = dynamic_cast<Collection*>(&object)) return c->keyAt(index);
  if (auto* c = dynamic_cast<ItemCollection*>(&object)) return c->keyAt(index);
  return {};
}

class Inspector {
 public:
  explicit Inspector(const ViewLimits& limits) : limits_(limits) {}

  View build(Variant value, int depth) {
    View view;
    view.value = std::move(value);
    ++used_;
    if (view.value.kind() != Kind::Object || !view.value.object()) return view;
    const ObjectPtr object = view.value.object();
    const ClassInfo* cls = object->classInfo();
    if (!cls || !viewable(*cls)) return view;

    const Member* countMember = findMember(*cls, "Count", CallKind::Get);
    const Member* itemMember = findMember(*cls, kDefaultMemberId, CallKind::Get);
    const bool collection = countMember && countMember->params.empty() && itemMember &&
                            itemMember->params.size() == 1;
    if (collection) view.count = readCount(*object, *countMember, view);
    if (view.error) return view;

    if (depth >= limits_.depth) return cut(view, View::Cut::Depth);
    if (std::find(path_.begin(), path_.end(), object.get()) != path_.end())
      return cut(view, View::Cut::Cycle);
    path_.push_back(object.get());
    for (const Member& m : cls->members()) {
      if (collection && &m == countMember) continue;
      if (!shownProperty(*cls, m)) continue;
      if (used_ >= limits_.values) {
        cut(view, View::Cut::Values);
        break;
      }
      view.properties.push_back({m.name, read(*object, m, {}, depth)});
    }
    if (collection && view.count) readItems(*object, *itemMember, view, depth);
    path_.pop_back();
    return view;
  }

 private:
  static View& cut(View& view, View::Cut why) {
    if (view.cut == View::Cut::None) view.cut = why;
    return view;
  }

  std::optional<Long> readCount(Object& object, const Member& count, View& view) {
    try {
      const Variant n = invoke(object, count, CallKind::Get, {});
      if (n.kind() == Kind::Long || n.kind() == Kind::Integer) return std::max<Long>(0, toCount(n));
    } catch (const Error& e) {
      view.error = e;
    }
    return std::nullopt;
  }

  static Long toCount(const Variant& n) {
    return n.kind() == Kind::Long ? n.lng() : static_cast<Long>(n.integer());
  }

  View read(Object& object, const Member& m, std::span<Argument> args, int depth) {
    Variant value;
    try {
      value = invoke(object, m, CallKind::Get, args);
    } catch (const Error& e) {
      View failed;
      failed.error = e;
      ++used_;
      return failed;
    }
    return build(std::move(value), depth + 1);
  }

  void readItems(Object& object, const Member& item, View& view, int depth) {
    const auto shown = static_cast<Long>(std::min<std::size_t>(
        static_cast<std::size_t>(*view.count), limits_.items));
    for (Long position = 1; position <= shown; ++position) {
      if (used_ >= limits_.values) {
        cut(view, View::Cut::Values);
        return;
      }
      Argument index = Argument::byValue(Variant(position));
      view.items.push_back({position, keyAt(object, static_cast<std::size_t>(position - 1)),
                            read(object, item, std::span<Argument>(&index, 1), depth)});
    }
    if (shown < *view.count) cut(view, View::Cut::Items);
  }

  const ViewLimits& limits_;
  std::size_t used_ = 0;
  std::vector<const Object*> path_;  // the objects being expanded, outermost first
};

}  // namespace

View inspect(const Variant& value, const ViewLimits& limits) {
  return Inspector(limits).build(value, 0);
}

std::string_view cutText(View::Cut cut) {
  switch (cut) {
    case View::Cut::None: return "";
    case View::Cut::Depth: return "depth limit";
    case View::Cut::Items: return "item limit";
    case View::Cut::Values: return "value limit";
    case View::Cut::Cycle: return "already shown above";
  }
  return "";
}

}  // namespace zs::cli
