// zavrin list: the catalogue, one class a line.
#include <algorithm>
#include <ostream>

#include "cli/commands.h"
#include "frame/catalogue.h"

namespace zs::cli {

int listCommand(std::span<const std::string> args, CommandIo& io) {
  if (!args.empty()) throw UsageError("takes no arguments");
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
    const std::string clsid = c.clsid.empty() ? "-" : "{" + std::string(c.clsid) + "}";
    io.out << pad(std::string(c.name), nameWidth) << "  "
           << pad(std::string(classKindName(c.kind)), kindWidth) << "  "
           << pad(c.progId(), progIdWidth) << "  " << pad(clsid, 38) << "  "
           << (c.built() ? "yes" : "no") << "\n";
  }
  return 0;
}

}  // namespace zs::cli
