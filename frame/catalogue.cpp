// The class table, with each built class's binding.
#include "frame/catalogue.h"

#include <vector>

#include "core/ascii.h"
#include "frame/bindings.h"

namespace zs {
namespace {

constexpr const ClassBinding* bindingOf(ClassId id) {
  switch (id) {
#define ZS_BINDING_CASE(name) \
  case ClassId::name:         \
    return &bindings::name;
    ZS_BUILT_CLASSES(ZS_BINDING_CASE)
#undef ZS_BINDING_CASE
    default:
      return nullptr;
  }
}

std::string_view stripBraces(std::string_view s) {
  if (s.size() >= 2 && s.front() == '{' && s.back() == '}') return s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

namespace detail {
constinit const ClassInfo kClassTable[] = {
#define ZS_CLASS_ROW(name, kind, clsid, iid, eventIid, bitmap, description) \
  {#name, ClassKind::kind, clsid, iid, eventIid, bitmap, description, bindingOf(ClassId::name)},
    ZS_CATALOGUE(ZS_CLASS_ROW)
#undef ZS_CLASS_ROW
};
}  // namespace detail

std::span<const ClassInfo> classes() { return detail::kClassTable; }

std::vector<const ClassInfo*> exposedClasses() {
  std::vector<const ClassInfo*> out;
  for (const auto& c : classes())
    if (c.built() && c.kind != ClassKind::Runtime) out.push_back(&c);
  return out;
}

const ClassInfo* findClass(std::string_view key) {
  constexpr std::string_view prefix = "VQZavrinStudio.";
  static_assert(prefix.substr(0, prefix.size() - 1) == library::kName);
  std::string_view name = key;
  if (name.size() > prefix.size() && sameName(name.substr(0, prefix.size()), prefix))
    name = name.substr(prefix.size());
  const auto guid = stripBraces(key);
  for (const auto& c : classes()) {
    if (sameName(c.name, name)) return &c;
    if (!c.clsid.empty() && sameName(c.clsid, guid)) return &c;
  }
  return nullptr;
}

std::span<const EnumInfo> enumerations() {
  static const std::vector<EnumInfo> all = [] {
    std::vector<EnumInfo> out;
    for (const auto& c : classes())
      if (c.binding && c.binding->enums)
        for (const auto& e : c.binding->enums()) {
          bool known = false;
          for (const auto& have : out) known = known || have.name == e.name;
          if (!known) out.push_back(e);
        }
    return out;
  }();
  return all;
}

}  // namespace zs
