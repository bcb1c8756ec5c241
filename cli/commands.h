// The sub-commands of `zavrin`. A sub-command is one function registered in the
// table of commands.cpp; it receives the arguments after its own name.
#pragma once

#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zs::cli {

struct CommandIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Returns the exit status. Run-time errors are thrown as zs::Error (printed on
// stderr with exit status 1); a wrong command line is thrown as UsageError.
using CommandFn = int (*)(std::span<const std::string> args, CommandIo& io);

struct Command {
  std::string_view name;
  std::string_view usage;    // "call CLASS MEMBER [--kind K] [ARG...]"
  std::string_view summary;  // one line for the help text
  CommandFn run;
};

// The command line was wrong: printed with the command's usage, exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The registered sub-commands.
std::span<const Command> commands();

// The text of `zavrin --help`.
std::string helpText();

// Runs a command line (without the program name) and returns the exit status.
int runCommandLine(std::span<const std::string> args, CommandIo& io);

struct ViewLimits;

// Takes `--depth N` or `--items N` (also `--depth=N`) at args[i], moving i
// past its value; false when args[i] is another argument.
bool takeViewOption(std::span<const std::string> args, std::size_t& i, ViewLimits& limits);

// The value of the option at args[i], written `--name=VALUE` or as the next
// argument (i then moves past it); a UsageError "OPTION needs WHAT" when the
// next argument is missing.
std::string optionValue(std::span<const std::string> args, std::size_t& i, const char* what);

// A whole number of the command line in [min, max]; a UsageError otherwise.
long wholeOption(const std::string& option, const std::string& text, long min, long max);

// The sub-commands themselves.
int listCommand(std::span<const std::string> args, CommandIo& io);
int membersCommand(std::span<const std::string> args, CommandIo& io);
int callCommand(std::span<const std::string> args, CommandIo& io);
int serveCommand(std::span<const std::string> args, CommandIo& io);
int regCommand(std::span<const std::string> args, CommandIo& io);
int infoCommand(std::span<const std::string> args, CommandIo& io);
int aboutCommand(std::span<const std::string> args, CommandIo& io);
int splashCommand(std::span<const std::string> args, CommandIo& io);
int replCommand(std::span<const std::string> args, CommandIo& io);
int openCommand(std::span<const std::string> args, CommandIo& io);
int mailCommand(std::span<const std::string> args, CommandIo& io);
int iconCommand(std::span<const std::string> args, CommandIo& io);

// The checks `zavrin reg` makes on its command line before it touches the
// store (operation, options, key name, value type and data). Throws
// UsageError for a wrong command line and std::runtime_error with the message
// the command prints for other faults.
void parseRegCommandLine(std::span<const std::string> args);

}  // namespace zs::cli
