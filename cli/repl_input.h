// Where `zavrin repl` reads its lines: a stream (a file or a pipe: no prompt,
// no echo), or the terminal through libedit (line editing, history kept in a
// file, Tab completion).
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zs::cli {

class ReplInput {
 public:
  virtual ~ReplInput() = default;
  // The next line without its line end; nullopt at the end of input. A line
  // longer than the reader's limit comes back cut to the limit plus one byte.
  virtual std::optional<std::string> read(const char* prompt) = 0;
};

std::unique_ptr<ReplInput> streamInput(std::istream& in, std::size_t maxLine);

// What completes the word before the cursor: where it starts in `before`, and
// the words that may replace it.
struct CompletionOffer {
  std::size_t start = 0;
  std::vector<std::string> candidates;
};
using Completer = std::function<CompletionOffer(std::string_view before)>;

// Line editing on standard input and output, which must be a terminal.
// `historyFile` empty keeps history for the session only.
std::unique_ptr<ReplInput> terminalInput(Completer completer, std::string historyFile);

// The history file: $ZAVRIN_HISTORY when set (empty: none), else
// $XDG_STATE_HOME/zavrin/repl_history, else ~/.local/state/zavrin/repl_history.
std::string historyFilePath();

}  // namespace zs::cli
