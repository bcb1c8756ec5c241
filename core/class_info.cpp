#include "core/class_info.h"

namespace zs {

std::string_view classKindName(ClassKind kind) {
  switch (kind) {
    case ClassKind::Control: return "control";
    case ClassKind::Global: return "global class";
    case ClassKind::Collection: return "collection";
    case ClassKind::Item: return "item";
    case ClassKind::PropertyPage: return "property page";
    case ClassKind::Runtime: return "runtime";
  }
  return "";
}

std::string ClassInfo::progId() const {
  if (kind == ClassKind::Runtime) return std::string(name);
  return std::string(library::kName) + "." + std::string(name);
}

const MemberTable& ClassInfo::memberTable() const {
  if (binding) return binding->members();
  static const MemberTable none{{}};
  return none;
}

}  // namespace zs
