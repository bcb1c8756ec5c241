// The catalogue: every class of the library with its identities, and for each
// built class its members. It is the one source the dynamic layer, the command
// line, the automation host and the Windows server read.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/members.h"
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

// What a built class adds to its catalogue entry.
struct EnumInfo;
struct ClassBinding {
  std::span<const Member> (*members)();
  ObjectPtr (*create)();
  std::span<const EnumInfo> (*enums)() = nullptr;  // the enumerations the class declares
};

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
  std::span<const Member> members() const;
};

struct EnumInfo {
  std::string_view name;
  std::vector<std::pair<std::string_view, Long>> values;
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

// Every class of the type library (the 28 public classes and ZSVelquorsoft),
// in catalogue order, followed by the runtime classes.
std::span<const ClassInfo> classes();

// Look-ups; names are compared without regard to case. findClass accepts a
// class name, a ProgID or a CLSID with or without braces. Null when unknown.
const ClassInfo* findClass(std::string_view nameProgIdOrClsid);
const ClassInfo& classNamed(std::string_view name);  // for the library's own classes

// The enumerations of the built classes.
std::span<const EnumInfo> enumerations();

// The binding of a built class, looked up by the catalogue (bindings.cpp).
const ClassBinding* bindingFor(std::string_view className);

// ASCII case-insensitive comparison used for every name look-up.
bool sameName(std::string_view a, std::string_view b);

}  // namespace zs
