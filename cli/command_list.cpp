// zavrin list [--json]: the catalogue, one class a line, or as one JSON array.
#include <algorithm>
#include <ostream>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "frame/catalogue.h"

namespace zs::cli {
namespace {

std::string clsidText(const ClassInfo& c) {
  return c.clsid.empty() ? std::string() : "{" + std::string(c.clsid) + "}";
}

// [{"name":"ZSNumbers","kind":"control","progId":"VQZavrinStudio.ZSNumbers",
//   "clsid":"{...}","built":true,"description":"..."}, ...]; a runtime class
// has "clsid":null.
void printJson(std::ostream& out) {
  std::string doc = "[";
  bool first = true;
  for (const auto& c : classes()) {
    if (!first) doc += ',';
    first = false;
    doc += "{\"name\":";
    appendJsonString(doc, c.name);
    doc += ",\"kind\":";
    appendJsonString(doc, classKindName(c.kind));
    doc += ",\"progId\":";
    appendJsonString(doc, std::string_view(c.progId()));
    doc += ",\"clsid\":";
    if (c.clsid.empty()) {
      doc += "null";
    } else {
      appendJsonString(doc, std::string_view(clsidText(c)));
    }
    doc += std::string(",\"built\":") + (c.built() ? "true" : "false") + ",\"description\":";
    appendJsonString(doc, c.description);
    doc += '}';
  }
  out << doc << "]\n";
}

}  // namespace

int listCommand(std::span<const std::string> args, CommandIo& io) {
  if (args.size() == 1 && args[0] == "--json") {
    printJson(io.out);
    return 0;
  }
  if (!args.empty()) throw UsageError("takes no arguments but --json");
  std::size_t nameWidth = 5, kindWidth = 4, progIdWidth = 6;
  for (const auto& c : classes()) {
    nameWidth = std::max(nameWidth, c.name.size());
    kindWidth = std::max(kindWidth, classKindName(c.kind).size());
    progIdWidth = std::max(progIdWidth, c.progId().size());
  }
  auto pad = [](std::string s, std::size_t width) {
    s.resize(std::max(s.size(), width), ' ');
    return s;
  };
  io.out << pad("Class", nameWidth) << "  " << pad("Kind", kindWidth) << "  "
         << pad("ProgID", progIdWidth) << "  " << pad("CLSID", 38) << "  Built\n";
  for (const auto& c : classes()) {
    const std::string clsid = c.clsid.empty() ? "-" : clsidText(c);
    io.out << pad(std::string(c.name), nameWidth) << "  "
           << pad(std::string(classKindName(c.kind)), kindWidth) << "  "
           << pad(c.progId(), progIdWidth) << "  " << pad(clsid, 38) << "  "
           << (c.built() ? "yes" : "no") << "\n";
  }
  return 0;
}

}  // namespace zs::cli
