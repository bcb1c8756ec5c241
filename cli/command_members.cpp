// zavrin members CLASS: the members with dispatch ids, kinds and signatures,
// then the enumerations the class declares.
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/signature.h"
#include "frame/catalogue.h"
#include "core/error.h"

namespace zs::cli {

int membersCommand(std::span<const std::string> args, CommandIo& io) {
  if (args.size() != 1) throw UsageError("needs exactly one CLASS");
  const ClassInfo* cls = findClass(args[0]);
  if (!cls) throw Error(err::kClassNotAvailable, "No class named " + args[0], "zavrin");
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
  if (cls->binding->enums) {
    for (const auto& e : cls->binding->enums()) {
      io.out << "Enum " << e.name << "\n";
      for (const auto& [name, value] : e.values) io.out << "  " << name << " = " << value << "\n";
    }
  }
  return 0;
}

}  // namespace zs::cli
