// What the dynamic layer knows of a class: its identities and, once the class
// is built, its binding (member table, factory, enumerations). The table of
// the library's classes is the catalogue, a layer above the components.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/member_table.h"
#include "core/object.h"

namespace zs {

enum class ClassKind : std::uint8_t {
  Control,       // placed on a form; invisible at run time
  Global,        // creatable class without a form (appobject, predeclared id)
  Collection,    // collection class (appobject)
  Item,          // item class of a collection (appobject)
  PropertyPage,  // design-time page; not creatable by hosts
  Runtime,       // objects of the runtime itself (Collection, enumerators): not in the type library
};
std::string_view classKindName(ClassKind kind);

struct EnumInfo {
  std::string_view name;
  std::vector<std::pair<std::string_view, Long>> values;
};

// What a built class adds to its catalogue entry.
struct ClassBinding {
  const MemberTable& (*members)();  // built once, at first use
  ObjectPtr (*create)();            // null for objects only the library hands out
  std::span<const EnumInfo> (*enums)() = nullptr;  // the enumerations the class declares
};

namespace library {
inline constexpr std::string_view kName = "VQZavrinStudio";
inline constexpr std::string_view kDescription =
    "Velquorsoft Zavrin Studio Suite Version 1.22 ActiveX Component";
inline constexpr int kMajorVersion = 1;
inline constexpr int kMinorVersion = 0;
inline constexpr std::string_view kLibId = "8CB51C3D-C895-4240-8821-D0D94CDB843E";
// OLEMISC flags of every control.
inline constexpr unsigned kControlMiscStatus = 0x20591;
}  // namespace library

struct ClassInfo {
  std::string_view name;       // ZSNumbers
  ClassKind kind;
  std::string_view clsid;      // registry form without braces, upper case
  std::string_view iid;        // default interface _Name
  std::string_view eventIid;   // event interface __Name (controls only, else empty)
  int toolboxBitmap;           // resource id, 0 for none
  std::string_view description;
  const ClassBinding* binding; // null while the component is not built

  bool built() const { return binding != nullptr; }
  bool creatable() const { return kind != ClassKind::PropertyPage; }
  std::string progId() const;  // VQZavrinStudio.ZSNumbers
  std::string interfaceName() const { return "_" + std::string(name); }
  std::string eventInterfaceName() const { return "__" + std::string(name); }
  // The member table; empty for a class that is not built.
  const MemberTable& memberTable() const;
  std::span<const Member> members() const { return memberTable().members(); }
};

}  // namespace zs
