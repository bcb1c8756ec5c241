// zavrin call CLASS [--let NAME=LITERAL]... MEMBER [--kind K] [--json] [--depth N]
// [--items N] [ARG...]: creates the object, sets the named properties in the
// order given, invokes the member with every argument by reference, and prints
// the result and each argument as it stands after the call; objects print what
// they hold (object_view.h).
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/commands.h"
#include "cli/literals.h"
#include "cli/plain_numbers.h"
#include "cli/view_format.h"
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

void printText(std::ostream& out, const std::optional<Variant>& result,
               const std::vector<Argument>& args, const ViewLimits& limits) {
  if (result) out << "Result: " << viewText(inspect(*result, limits)) << "\n";
  for (std::size_t i = 0; i < args.size(); ++i)
    out << "Argument " << (i + 1) << ": " << viewText(inspect(args[i].value, limits)) << "\n";
}

// {"ok":true,"result":...,"args":[...]} or {"ok":false,"error":{...},"args":[...]}:
// the shape of the host's invoke answer, with objects shown as views.
void printJson(std::ostream& out, const std::optional<Variant>& result, const Error* error,
               const std::vector<Argument>& args, const ViewLimits& limits) {
  std::string doc = error ? "{\"ok\":false,\"error\":" : "{\"ok\":true,\"result\":";
  if (error) {
    appendErrorJson(doc, *error);
  } else {
    appendViewJson(doc, inspect(*result, limits));
  }
  doc += ",\"args\":[";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) doc += ',';
    if (args[i].value.isMissing()) {
      doc += "null";
    } else {
      appendViewJson(doc, inspect(args[i].value, limits));
    }
  }
  out << doc << "]}\n";
}

struct Assignment {
  std::string property;
  std::string literal;
};

// NAME=LITERAL of --let.
Assignment parseAssignment(std::string_view text) {
  const auto eq = text.find('=');
  if (eq == std::string_view::npos || eq == 0)
    throw UsageError("--let takes NAME=LITERAL, not '" + std::string(text) + "'");
  return {std::string(text.substr(0, eq)), std::string(text.substr(eq + 1))};
}

// Property let of each assignment, in order, on the fresh object.
void assign(Object& object, const std::vector<Assignment>& assignments) {
  for (const Assignment& a : assignments) {
    const Literal literal = readLiteral(a.literal);
    if (const ClassInfo* cls = object.classInfo()) {
      if (const Member* member = findMember(*cls, a.property, CallKind::Let))
        checkLiterals(*member, std::span(&literal, 1));
    }
    std::vector<Argument> value{literal.argument};
    invoke(object, a.property, CallKind::Let, value);
  }
}

// Creates the object, makes the assignments and invokes the member with the
// literals as arguments (left in `args`, as they stand after the call);
// `invoked` tells whether the member was reached.
Variant makeCall(const std::vector<std::string>& positional, CallKind kind,
                 const std::vector<Assignment>& assignments, std::vector<Argument>& args,
                 bool& invoked) {
  const std::optional<DispId> dispid = parseDispId(positional[1]);
  std::vector<Literal> literals;
  for (std::size_t i = 2; i < positional.size(); ++i) literals.push_back(readLiteral(positional[i]));
  const ObjectPtr object = createObject(positional[0]);
  assign(*object, assignments);
  if (const ClassInfo* cls = object->classInfo()) {
    const Member* member =
        dispid ? findMember(*cls, *dispid, kind) : findMember(*cls, positional[1], kind);
    if (member) checkLiterals(*member, literals);
  }
  for (const Literal& l : literals) args.push_back(l.argument);
  invoked = true;
  return dispid ? invoke(*object, *dispid, kind, args) : invoke(*object, positional[1], kind, args);
}

}  // namespace

std::string optionValue(std::span<const std::string> args, std::size_t& i, const char* what) {
  const std::string& a = args[i];
  if (const auto eq = a.find('='); eq != std::string::npos) return a.substr(eq + 1);
  if (i + 1 >= args.size()) throw UsageError(a + " needs " + what);
  return args[++i];
}

long wholeOption(const std::string& option, const std::string& text, long min, long max) {
  try {
    return static_cast<long>(parseWhole(text, min, max));
  } catch (const Error&) {
    throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'");
  }
}

bool takeViewOption(std::span<const std::string> args, std::size_t& i, ViewLimits& limits) {
  const std::string& a = args[i];
  const bool depth = a == "--depth" || a.starts_with("--depth=");
  const bool items = a == "--items" || a.starts_with("--items=");
  if (!depth && !items) return false;
  const std::string value = optionValue(args, i, "a number");
  // Depth is bounded by the stack that printing nested objects takes.
  const long n = wholeOption(depth ? "--depth" : "--items", value, 0, depth ? 64 : 1000000);
  if (depth) {
    limits.depth = static_cast<int>(n);
  } else {
    limits.items = static_cast<std::size_t>(n);
  }
  return true;
}

int callCommand(std::span<const std::string> args, CommandIo& io) {
  std::vector<std::string> positional;
  CallKind kind = CallKind::Default;
  ViewLimits limits;
  bool json = false;
  bool options = true;
  std::vector<Assignment> assignments;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--let") {
      if (i + 1 >= args.size()) throw UsageError("--let needs NAME=LITERAL");
      assignments.push_back(parseAssignment(args[++i]));
    } else if (options && a.starts_with("--let=")) {
      assignments.push_back(parseAssignment(std::string_view(a).substr(6)));
    } else if (options && a == "--kind") {
      if (i + 1 >= args.size()) throw UsageError("--kind needs a value");
      kind = parseKind(args[++i]);
    } else if (options && a.starts_with("--kind=")) {
      kind = parseKind(std::string_view(a).substr(7));
    } else if (options && a == "--json") {
      json = true;
    } else if (options && takeViewOption(args, i, limits)) {
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 2) throw UsageError("needs a CLASS and a MEMBER");
  std::vector<Argument> callArgs;
  bool invoked = false;
  Variant result;
  try {
    result = makeCall(positional, kind, assignments, callArgs, invoked);
  } catch (const Error& e) {
    // What the member wrote to its arguments before failing stays visible;
    // with --json every run-time error answers in JSON.
    if (json) {
      printJson(io.out, std::nullopt, &e, callArgs, limits);
    } else if (invoked) {
      printText(io.out, std::nullopt, callArgs, limits);
    }
    io.out.flush();
    throw;
  }
  if (json) {
    printJson(io.out, result, nullptr, callArgs, limits);
  } else {
    printText(io.out, result, callArgs, limits);
  }
  return 0;
}

}  // namespace zs::cli
