#include "cli/commands.h"

#include <ostream>

#include "core/error_mapping.h"

namespace zs::cli {

std::span<const Command> commands() {
  static constexpr Command kCommands[] = {
      {"list", "list [--json]", "the classes of the library: kind, ProgID, CLSID, built or not",
       listCommand},
      {"members", "members CLASS [--json]",
       "the members of a class with dispatch ids and signatures, and its enumerations",
       membersCommand},
      {"call",
       "call CLASS [--let NAME=LITERAL]... MEMBER [--kind get|let|set|method] [--json] [--depth N] "
       "[--items N] [ARG...]",
       "create an object, set properties, invoke a member, print the result and the arguments "
       "after the call",
       callCommand},
      {"info", "info [--json] [--drive PATH] [--file PATH]",
       "what the system-information classes read: every member that only reads, one line each",
       infoCommand},
      {"repl", "repl [--depth N] [--items N] [FILE]",
       "an interactive session: objects live across lines; a FILE or a pipe runs as a script",
       replCommand},
      {"serve", "serve", "the JSON-lines automation host on standard input and output",
       serveCommand},
      {"reg", "reg query|add|delete KEY [/v NAME | /ve] [/t REG_SZ|REG_BINARY|REG_DWORD] [/d DATA]",
       "query, add or delete registry keys and values (KEY: HKCU\\Software\\..., HKLM, HKCR, HKU, HKCC)",
       regCommand},
      {"splash", "splash --style N [--let NAME=VALUE ...] [-o OUT.png] [--show SECONDS] | --about -o OUT.png",
       "a ZSSplashScreen window in style N (0 to 4) with its defaults and the given properties, "
       "written as PNG or shown on the X display; --about: the suite about window as PNG",
       splashCommand},
      {"open", "open URL|FILE",
       "open a link or a file with the desktop's program (xdg-open), as ZSHyperLink.GoUrl",
       openCommand},
      {"mail", "mail ADDRESS",
       "start a mail message to ADDRESS (xdg-email mailto:ADDRESS), as ZSHyperLink.SendMail",
       mailCommand},
      {"icon", "icon FILE [--index N] [--size 16|24|32|...|128] -o OUT.png",
       "draw icon N (from 1) of an .exe, .dll or .ico as ZSExtractIcon.Extract does, as a PNG",
       iconCommand},
      {"about", "about --style 0|1 [--let NAME=VALUE ...] [--hover ELEMENT] [-o OUT.png] [--show SECONDS]",
       "a ZSAboutBox dialog in style 0 (standard) or 1 (the 2000 look) with its defaults and the given "
       "properties, written as PNG or shown on the X display; --hover: with the pointer on lblUrl, "
       "lblMail, Text1 or Text2",
       aboutCommand},
  };
  return kCommands;
}

std::string helpText() {
  std::string text =
      "Usage: zavrin COMMAND [ARG...]\n"
      "\n"
      "Commands:\n";
  for (const auto& c : commands()) {
    text += "  zavrin " + std::string(c.usage) + "\n";
    text += "      " + std::string(c.summary) + "\n";
  }
  text +=
      "\n"
      "CLASS is a class name (ZSNumbers), a ProgID (VQZavrinStudio.ZSNumbers) or a\n"
      "CLSID with or without braces. MEMBER is a name (any letter case) or a dispatch\n"
      "id, in hexadecimal (0x60030002) or decimal (1610809346, -4). --kind picks the\n"
      "kind of call; the default is method for a method and get for a property.\n"
      "\n"
      "Arguments of `call` are typed literals; each is passed by reference, as a\n"
      "script variable would be:\n"
      "  s:TEXT     String (s: alone is the empty string)\n"
      "  i:N        Integer (16-bit)          l:N     Long (32-bit)\n"
      "  sg:X       Single                    d:X     Double  (2.5, -1e-3)\n"
      "  c:X        Currency, at most four decimals (1234.5678)\n"
      "  b:true     Boolean (true or false)\n"
      "  empty      Empty                     null    Null\n"
      "  missing    an omitted argument       nothing no object\n"
      "  zvHKEY_CURRENT_USER  an enumeration constant by name, any letter case (a Long);\n"
      "             checked against the parameter's enumeration\n"
      "  other      a String, as it stands (use s: for text such as \"empty\" or a\n"
      "             constant's name)\n"
      "Numbers always use '.' as decimal point.\n"
      "\n"
      "--let NAME=LITERAL sets a property of the fresh object before the call\n"
      "(in the order given), for the members that read one:\n"
      "  $ zavrin call ZSDiskInfo --let DriveName=/ TotalSpace\n"
      "\n"
      "`call` prints `Result: ` and the value, then `Argument N: ` and each argument\n"
      "as it stands after the call. Values print as the kind and the value:\n"
      "Integer 5, String \"1\" (JSON string syntax), Currency 1.25, Boolean True,\n"
      "Empty, Null, Missing, Error N, Object CLASS, Nothing. An object of a\n"
      "collection or item class prints what it holds, one line each:\n"
      "  $ zavrin call ZSRegistry ListKeys zvHKEY_CURRENT_USER 'Software\\Demo'\n"
      "  Result: Object ZSRegistryKeys, Count 1\n"
      "    1: Object ZSRegistryKey\n"
      "      KeyNames: String \"One\"\n"
      "--depth N (default 4) limits the levels of objects looked into, --items N\n"
      "(default 100) the items shown of each collection; a cut says so. Nothing is\n"
      "called to print but fields, read-only properties, Count and Item.\n"
      "\n"
      "--json prints one JSON document in the value encoding of `zavrin serve`:\n"
      "  $ zavrin call --json ZSNumbers BinToDec 101 | jq .result.value\n"
      "  5\n"
      "`list --json` and `members CLASS --json` describe the catalogue the same way.\n"
      "\n"
      "`zavrin info` reads every member of the system-information classes that\n"
      "only reads the system (never one that acts), for the root file system\n"
      "(--drive PATH for another) and this program's file (--file PATH): one line\n"
      "each, `ZSDiskInfo.TotalSpace: Currency 1234`, or an error; --json prints an\n"
      "array of {\"class\",\"member\",\"value\"} or {...,\"error\"}.\n"
      "\n"
      "`zavrin repl` keeps objects across lines:\n"
      "  zavrin> set n = ZSNumbers\n"
      "  zavrin> s = \"101\"\n"
      "  zavrin> n.BinToDec s\n"
      "  Integer 5\n"
      "  ByRef s = String \"1\"\n"
      "  zavrin> for each k in ZSRegistry.ListKeys(zvHKEY_CURRENT_USER, \"Software\")\n"
      "     ...>   ? k.KeyNames\n"
      "     ...> next\n"
      "It edits lines with history and completes names with Tab; :help lists the\n"
      "statements. From a FILE or a pipe it runs the same statements as a script.\n"
      "\n"
      "A run-time error prints `Error NUMBER: DESCRIPTION (source: SOURCE)` on\n"
      "standard error and exits with status 1; a wrong command line exits with 2.\n"
      "`zavrin serve` speaks the protocol described in docs/automation-host.md.\n"
      "`zavrin --version` prints the version of the suite.\n";
  return text;
}

namespace {

const Command* commandNamed(std::string_view name) {
  for (const auto& c : commands())
    if (c.name == name) return &c;
  return nullptr;
}

}  // namespace

int runCommandLine(std::span<const std::string> args, CommandIo& io) {
  if (args.empty()) {
    io.err << helpText();
    return 2;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    io.out << helpText();
    return 0;
  }
  if (name == "--version") {
    io.out << "zavrin " << ZS_VERSION << "\n";
    return 0;
  }
  const Command* command = commandNamed(name);
  if (!command) {
    io.err << "zavrin: unknown command '" << name << "'\n\n" << helpText();
    return 2;
  }
  try {
    return command->run(args.subspan(1), io);
  } catch (const UsageError& e) {
    io.err << "zavrin " << command->name << ": " << e.what() << "\n"
           << "Usage: zavrin " << command->usage << "\n";
    return 2;
  } catch (...) {
    const Error e = currentError();
    io.err << "Error " << e.number() << ": " << e.description();
    if (!e.source().empty()) io.err << " (source: " << e.source() << ")";
    io.err << "\n";
    return 1;
  }
}

}  // namespace zs::cli
