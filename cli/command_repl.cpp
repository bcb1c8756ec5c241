// zavrin repl [--depth N] [--items N] [FILE]: the interactive session. On a
// terminal it edits lines (libedit) with history and Tab completion; from a
// file or a pipe it runs the same statements without prompts.
#include <unistd.h>

#include <fstream>
#include <iostream>

#include "cli/commands.h"
#include "cli/repl_input.h"
#include "cli/repl_completion.h"
#include "cli/repl_session.h"
#include "core/error.h"

namespace zs::cli {
namespace {

constexpr int kFileNotFound = 53;

int runSession(repl::Session& session, ReplInput& input, std::ostream& out, bool prompts) {
  for (;;) {
    const char* prompt = !prompts ? "" : session.pending() ? "   ...> " : "zavrin> ";
    const std::optional<std::string> line = input.read(prompt);
    if (!line) {
      if (prompts) out << "\n";
      break;
    }
    if (session.feed(*line) == repl::Session::Feed::Quit) break;
    if (!out) return 1;
  }
  return session.finish();
}

}  // namespace

int replCommand(std::span<const std::string> args, CommandIo& io) {
  ViewLimits limits;
  std::string file;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--") {
      options = false;
    } else if (options && takeViewOption(args, i, limits)) {
    } else if (options && a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else if (file.empty()) {
      file = a;
    } else {
      throw UsageError("takes at most one FILE");
    }
  }

  if (!file.empty()) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error(kFileNotFound, "File not found: " + file, "zavrin repl");
    repl::Session session(io.out, io.err, limits, true);
    auto input = streamInput(in, repl::Session::kMaxInput);
    return runSession(session, *input, io.out, false);
  }

  const bool terminal = &io.in == &std::cin && isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  repl::Session session(io.out, io.err, limits, !terminal);
  if (!terminal) {
    auto input = streamInput(io.in, repl::Session::kMaxInput);
    return runSession(session, *input, io.out, false);
  }
  io.out << "zavrin repl: :help lists the statements, Tab completes, Ctrl-D ends.\n";
  io.out.flush();
  auto complete = [&session](std::string_view before) {
    repl::Completion c = repl::complete(session, before);
    return CompletionOffer{c.start, std::move(c.candidates)};
  };
  auto input = terminalInput(complete, historyFilePath());
  return runSession(session, *input, io.out, true);
}

}  // namespace zs::cli
