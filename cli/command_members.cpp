// zavrin members CLASS [--json]: the members with dispatch ids, kinds and
// signatures, then the enumerations the class declares.
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/json_values.h"
#include "cli/signature.h"
#include "frame/catalogue.h"
#include "core/error.h"

namespace zs::cli {
namespace {

void appendName(std::string& doc, const char* key, std::string_view value) {
  doc += ",\"";
  doc += key;
  doc += "\":";
  appendJsonString(doc, value);
}

void appendParam(std::string& doc, const Param& p) {
  doc += "{\"name\":";
  appendJsonString(doc, p.name);
  appendName(doc, "type", typeName(p.type));
  doc += std::string(",\"byref\":") + (p.byRef ? "true" : "false");
  doc += std::string(",\"optional\":") + (p.optional ? "true" : "false");
  if (p.defaultValue) {
    HandleTable none;  // defaults are never objects
    doc += ",\"default\":";
    appendValue(doc, *p.defaultValue, none);
  }
  doc += '}';
}

// {"class":"ZSNumbers","kind":"control","progId":"...","built":true,
//  "members":[{"name","dispid","kind","signature","params":[...],"result","hidden"}],
//  "enums":[{"name","values":[{"name","value"}]}]}
void printJson(std::ostream& out, const ClassInfo& cls) {
  std::string doc = "{\"class\":";
  appendJsonString(doc, cls.name);
  appendName(doc, "kind", classKindName(cls.kind));
  appendName(doc, "progId", cls.progId());
  doc += std::string(",\"built\":") + (cls.built() ? "true" : "false") + ",\"members\":[";
  bool first = true;
  for (const auto& m : cls.members()) {
    if (!first) doc += ',';
    first = false;
    doc += "{\"name\":";
    appendJsonString(doc, m.name);
    doc += ",\"dispid\":" + std::to_string(m.dispid);
    appendName(doc, "kind", memberKindName(m.kind));
    appendName(doc, "signature", signatureText(m));
    doc += ",\"params\":[";
    for (std::size_t i = 0; i < m.params.size(); ++i) {
      if (i) doc += ',';
      appendParam(doc, m.params[i]);
    }
    doc += "],\"result\":";
    if (m.result.type == Type::Void) {
      doc += "null";
    } else {
      appendJsonString(doc, typeName(m.result));
    }
    doc += std::string(",\"hidden\":") + (m.hidden ? "true" : "false") + '}';
  }
  doc += "],\"enums\":[";
  if (cls.binding && cls.binding->enums) {
    first = true;
    for (const auto& e : cls.binding->enums()) {
      if (!first) doc += ',';
      first = false;
      doc += "{\"name\":";
      appendJsonString(doc, e.name);
      doc += ",\"values\":[";
      for (std::size_t i = 0; i < e.values.size(); ++i) {
        if (i) doc += ',';
        doc += "{\"name\":";
        appendJsonString(doc, e.values[i].first);
        doc += ",\"value\":" + std::to_string(e.values[i].second) + '}';
      }
      doc += "]}";
    }
  }
  out << doc << "]}\n";
}

}  // namespace

int membersCommand(std::span<const std::string> args, CommandIo& io) {
  std::vector<std::string> names;
  bool json = false;
  for (const auto& a : args) {
    if (a == "--json") {
      json = true;
    } else {
      names.push_back(a);
    }
  }
  if (names.size() != 1) throw UsageError("needs exactly one CLASS");
  const ClassInfo* cls = findClass(names[0]);
  if (!cls) throw Error(err::kClassNotAvailable, "No class named " + names[0], "zavrin");
  if (json) {
    printJson(io.out, *cls);
    return 0;
  }
  io.out << cls->name << " (" << classKindName(cls->kind) << ", " << cls->progId() << ")\n";
  if (!cls->built()) {
    io.out << "Not built yet: no members available.\n";
    return 0;
  }
  for (const auto& m : cls->members()) {
    std::string kind(memberKindName(m.kind));
    kind.resize(6, ' ');
    io.out << "  " << dispidHex(m.dispid) << "  " << std::to_string(m.dispid);
    io.out << std::string(12 - std::min<std::size_t>(11, std::to_string(m.dispid).size()), ' ');
    io.out << kind << "  " << signatureText(m) << (m.hidden ? "  [hidden]" : "") << "\n";
  }
  if (cls->binding && cls->binding->enums) {
    for (const auto& e : cls->binding->enums()) {
      io.out << "Enum " << e.name << "\n";
      for (const auto& [name, value] : e.values) io.out << "  " << name << " = " << value << "\n";
    }
  }
  return 0;
}

}  // namespace zs::cli
