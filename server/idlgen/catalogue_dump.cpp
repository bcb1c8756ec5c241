#include "server/idlgen/catalogue_dump.h"

#include <cstdio>
#include <sstream>

#include "server/idlgen/idl_writer.h"

namespace zs::idl {
namespace {

// One parameter: flags, type, name and default, e.g. "in,out,opt=2 short* Digits".
// The new value of a property assignment goes without its name, which type
// libraries need not keep.
std::string paramLine(const Param& p, bool byRef, bool named) {
  std::string flags = byRef ? "in,out" : "in";
  if (p.optional) flags += ",opt";
  const std::string defaultText = idlDefault(p, byRef);
  if (!defaultText.empty()) flags += "=" + defaultText;
  return flags + " " + idlType(p.type, byRef) + (named ? " " + std::string(p.name) : "");
}

}  // namespace

std::string catalogueDump() {
  std::ostringstream out;
  out << "library " << library::kName << " {" << library::kLibId << "} " << library::kMajorVersion
      << "." << library::kMinorVersion << " \"" << library::kDescription << "\"\n";
  for (const EnumInfo* e : libraryEnumerations()) {
    out << "enum " << e->name;
    for (const auto& [name, value] : e->values) out << " " << name << "=" << value;
    out << "\n";
  }
  for (const ClassInfo* c : exposedClasses()) {
    out << "coclass " << c->name << " {" << c->clsid << "}";
    if (c->kind == ClassKind::Control) out << " control";
    if (c->kind == ClassKind::Global || c->kind == ClassKind::Collection ||
        c->kind == ClassKind::Item)
      out << " appobject predeclid";
    if (!c->creatable()) out << " noncreatable";
    out << " default=" << c->interfaceName() << " {" << c->iid << "}";
    if (!c->eventIid.empty())
      out << " source=" << c->eventInterfaceName() << " {" << c->eventIid << "}";
    out << "\n";
    for (const Slot& s : interfaceOf(*c).slots) {
      const bool isPut = s.access == Access::PropPut || s.access == Access::PropPutRef;
      out << "  " << c->interfaceName() << "." << s.name << " " << dispidHex(s.dispid) << " "
          << accessName(s.access) << (s.hidden ? " hidden" : "") << " (";
      for (std::size_t i = 0; i < s.params.size(); ++i) {
        const bool putValue = isPut && i + 1 == s.params.size();
        out << (i ? "; " : "") << paramLine(s.params[i], s.params[i].byRef && !putValue, !putValue);
      }
      out << ") -> " << (s.result.type == Type::Void ? "void" : idlType(s.result, false)) << "\n";
    }
  }
  return out.str();
}

}  // namespace zs::idl
