// zavrin call CLASS MEMBER [--kind K] [ARG...]: creates the object, invokes
// the member with every argument by reference, and prints the result and each
// argument as it stands after the call.
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/literals.h"
#include "cli/plain_numbers.h"
#include "core/dispatch.h"
#include "core/ascii.h"
#include "core/error.h"
#include "frame/factory.h"

namespace zs::cli {
namespace {

CallKind parseKind(std::string_view k) {
  if (k == "method") return CallKind::Method;
  if (k == "get") return CallKind::Get;
  if (k == "let") return CallKind::Let;
  if (k == "set") return CallKind::Set;
  throw UsageError("--kind takes method, get, let or set, not '" + std::string(k) + "'");
}

// A dispatch id when MEMBER is one: 0x... in hexadecimal, or a decimal number.
std::optional<DispId> parseDispId(const std::string& member) {
  if (member.size() > 2 && member[0] == '0' && (member[1] == 'x' || member[1] == 'X')) {
    std::uint64_t n = 0;
    for (std::size_t i = 2; i < member.size(); ++i) {
      const char c = member[i];
      const int digit = digitValue(c);
      if (digit < 0) throw UsageError("'" + member + "' is not a hexadecimal dispatch id");
      n = n * 16 + static_cast<std::uint64_t>(digit);
      if (n > 0xFFFFFFFFu) throw UsageError("'" + member + "' is not a 32-bit dispatch id");
    }
    return static_cast<DispId>(static_cast<std::uint32_t>(n));
  }
  const char first = member.empty() ? '\0' : member[0];
  if ((first >= '0' && first <= '9') || first == '-') {
    const auto n = parseWhole(member, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::uint32_t>::max());
    return static_cast<DispId>(static_cast<std::uint32_t>(n));
  }
  return std::nullopt;
}

}  // namespace

int callCommand(std::span<const std::string> args, CommandIo& io) {
  std::vector<std::string> positional;
  CallKind kind = CallKind::Default;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--kind") {
      if (i + 1 >= args.size()) throw UsageError("--kind needs a value");
      kind = parseKind(args[++i]);
    } else if (options && a.starts_with("--kind=")) {
      kind = parseKind(std::string_view(a).substr(7));
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 2) throw UsageError("needs a CLASS and a MEMBER");

  const std::optional<DispId> dispid = parseDispId(positional[1]);
  std::vector<Argument> callArgs;
  for (std::size_t i = 2; i < positional.size(); ++i) callArgs.push_back(parseLiteral(positional[i]));

  const ObjectPtr object = createObject(positional[0]);
  auto printArguments = [&] {
    for (std::size_t i = 0; i < callArgs.size(); ++i)
      io.out << "Argument " << (i + 1) << ": " << formatValue(callArgs[i].value) << "\n";
  };
  Variant result;
  try {
    result = dispid ? invoke(*object, *dispid, kind, callArgs)
                    : invoke(*object, positional[1], kind, callArgs);
  } catch (const Error&) {
    // What the member wrote to its arguments before failing stays visible.
    printArguments();
    io.out.flush();
    throw;
  }
  io.out << "Result: " << formatValue(result) << "\n";
  printArguments();
  return 0;
}

}  // namespace zs::cli
