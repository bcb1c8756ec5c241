#include "cli/repl_input.h"

#include <histedit.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <istream>

#include "cli/window_pump.h"
#include "core/ascii.h"

namespace zs::cli {
namespace {

class StreamInput final : public ReplInput {
 public:
  StreamInput(std::istream& in, std::size_t maxLine) : in_(in), max_(maxLine) {}

  std::optional<std::string> read(const char*) override {
    std::string line;
    std::streambuf* buf = in_.rdbuf();
    bool any = false;
    for (;;) {
      const auto c = buf->sbumpc();
      if (c == std::char_traits<char>::eof()) {
        if (!any) return std::nullopt;
        break;
      }
      any = true;
      if (c == '\n') break;
      if (line.size() <= max_) line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::istream& in_;
  std::size_t max_;
};

// libedit in emacs mode with a history list and a Tab binding.
class TerminalInput final : public ReplInput {
 public:
  TerminalInput(Completer completer, std::string historyFile)
      : completer_(std::move(completer)), historyFile_(std::move(historyFile)) {
    history_ = history_init();
    el_ = el_init("zavrin", stdin, stdout, stderr);
    HistEvent ev;
    history(history_, &ev, H_SETSIZE, 1000);
    history(history_, &ev, H_SETUNIQUE, 1);
    el_set(el_, EL_CLIENTDATA, this);
    el_set(el_, EL_HIST, history, history_);
    el_set(el_, EL_EDITOR, "emacs");
    el_set(el_, EL_SIGNAL, 1);
    el_set(el_, EL_GETCFN, &TerminalInput::readChar);
    el_set(el_, EL_PROMPT, &TerminalInput::promptOf);
    el_set(el_, EL_ADDFN, "zavrin-complete", "Complete a name", &TerminalInput::completeAt);
    el_set(el_, EL_BIND, "^I", "zavrin-complete", nullptr);
    el_source(el_, nullptr);  // the user's ~/.editrc, if any
    if (!historyFile_.empty()) {
      history(history_, &ev, H_LOAD, historyFile_.c_str());
      std::error_code ec;  // without the folder the history is not kept: no error
      const auto folder = std::filesystem::path(historyFile_).parent_path();
      if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    }
  }

  ~TerminalInput() override {
    el_end(el_);
    history_end(history_);
  }

  TerminalInput(const TerminalInput&) = delete;
  TerminalInput& operator=(const TerminalInput&) = delete;

  std::optional<std::string> read(const char* prompt) override {
    prompt_ = prompt;
    int count = 0;
    const char* text = el_gets(el_, &count);
    if (!text || count <= 0) return std::nullopt;
    std::string line(text, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos) {
      HistEvent ev;
      history(history_, &ev, H_ENTER, line.c_str());
      // Kept at once, so a session ended by a signal loses none of it.
      if (!historyFile_.empty()) history(history_, &ev, H_SAVE, historyFile_.c_str());
    }
    return line;
  }

 private:
  static TerminalInput& self(EditLine* el) {
    void* data = nullptr;
    el_get(el, EL_CLIENTDATA, &data);
    return *static_cast<TerminalInput*>(data);
  }

  static char* promptOf(EditLine* el) { return const_cast<char*>(self(el).prompt_); }

  // Reads one character of the terminal, handling the events of the windows
  // the session opened while it waits for a key. A read cut short by a
  // signal is tried again: libedit's own handlers have done their part by
  // then (a resize redrawn, a continue back in raw mode), and the others end
  // the process. An invalid byte sequence is dropped.
  static int readChar(EditLine*, wchar_t* out) {
    char bytes[MB_LEN_MAX];
    std::size_t count = 0;
    for (;;) {
      pumpWindowsUntilReadable(STDIN_FILENO);
      const ssize_t n = ::read(STDIN_FILENO, bytes + count, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        *out = L'\0';
        return n == 0 ? 0 : -1;
      }
      ++count;
      std::mbstate_t state{};
      const std::size_t converted = std::mbrtowc(out, bytes, count, &state);
      if (converted == static_cast<std::size_t>(-2) && count < MB_LEN_MAX) continue;
      if (converted > count) {  // invalid, or too long to be a character
        count = 0;
        continue;
      }
      return 1;
    }
  }

  static unsigned char completeAt(EditLine* el, int) {
    TerminalInput& input = self(el);
    const LineInfo* info = el_line(el);
    const std::string_view before(info->buffer, static_cast<std::size_t>(info->cursor - info->buffer));
    CompletionOffer offer = input.completer_(before);
    if (offer.candidates.empty() || offer.start > before.size()) return CC_ERROR;
    const std::string_view word = before.substr(offer.start);
    std::string replacement;
    if (offer.candidates.size() == 1) {
      replacement = offer.candidates[0];
    } else {
      replacement = shared(offer.candidates);
      if (replacement.size() <= word.size()) {
        list(offer.candidates);
        return CC_REDISPLAY;
      }
    }
    el_deletestr(el, static_cast<int>(word.size()));
    if (el_insertstr(el, replacement.c_str()) != 0) return CC_ERROR;
    return CC_REFRESH;
  }

  // The longest beginning all candidates share, letter case aside.
  static std::string shared(const std::vector<std::string>& words) {
    std::size_t n = words[0].size();
    for (const auto& w : words) {
      std::size_t i = 0;
      while (i < n && i < w.size() && foldAscii(w[i]) == foldAscii(words[0][i])) ++i;
      n = i;
    }
    return words[0].substr(0, n);
  }

  static void list(const std::vector<std::string>& words) {
    std::size_t column = 0;
    std::fputs("\n", stdout);
    for (const auto& w : words) {
      if (column && column + w.size() + 2 > 78) {
        std::fputs("\n", stdout);
        column = 0;
      }
      std::fputs(w.c_str(), stdout);
      std::fputs("  ", stdout);
      column += w.size() + 2;
    }
    std::fputs("\n", stdout);
    std::fflush(stdout);
  }

  Completer completer_;
  std::string historyFile_;
  History* history_ = nullptr;
  EditLine* el_ = nullptr;
  const char* prompt_ = "";
};

}  // namespace

std::unique_ptr<ReplInput> streamInput(std::istream& in, std::size_t maxLine) {
  return std::make_unique<StreamInput>(in, maxLine);
}

std::unique_ptr<ReplInput> terminalInput(Completer completer, std::string historyFile) {
  return std::make_unique<TerminalInput>(std::move(completer), std::move(historyFile));
}

std::string historyFilePath() {
  if (const char* explicitPath = std::getenv("ZAVRIN_HISTORY")) return explicitPath;
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/zavrin/repl_history";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/zavrin/repl_history";
  return {};
}

}  // namespace zs::cli
