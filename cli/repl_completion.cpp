#include "cli/repl_completion.h"

#include <algorithm>

#include "core/ascii.h"
#include "frame/catalogue.h"

namespace zs::cli::repl {
namespace {

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool startsWith(std::string_view word, std::string_view prefix) {
  return word.size() >= prefix.size() && sameName(word.substr(0, prefix.size()), prefix);
}

// Whether the cursor stands inside a text ("...) or a comment.
bool insideTextOrComment(std::string_view before) {
  bool text = false;
  for (char c : before) {
    if (c == '"') text = !text;
    if (c == '\'' && !text) return true;
  }
  return text;
}

class Candidates {
 public:
  explicit Candidates(std::string_view prefix) : prefix_(prefix) {}
  void offer(std::string_view word) {
    if (!word.empty() && startsWith(word, prefix_)) words_.emplace_back(word);
  }
  std::vector<std::string> take() {
    std::sort(words_.begin(), words_.end());
    words_.erase(std::unique(words_.begin(), words_.end()), words_.end());
    return std::move(words_);
  }

 private:
  std::string_view prefix_;
  std::vector<std::string> words_;
};

void offerClasses(Candidates& c) {
  for (const auto& cls : classes())
    if (cls.built() && cls.creatable() && cls.kind != ClassKind::Runtime) c.offer(cls.name);
  c.offer("Collection");
}

void offerMembers(Candidates& c, const ClassInfo& cls) {
  for (const Member& m : cls.members())
    if (!m.hidden) c.offer(m.name);
}

}  // namespace

Completion complete(const Session& session, std::string_view before) {
  Completion result;
  if (insideTextOrComment(before)) {
    result.start = before.size();
    return result;
  }
  std::size_t start = before.size();
  while (start > 0 && isNameChar(before[start - 1])) --start;
  result.start = start;
  const std::string_view prefix = before.substr(start);
  Candidates c(prefix);

  if (start > 0 && before[start - 1] == '.') {
    std::size_t nameStart = start - 1;
    while (nameStart > 0 && isNameChar(before[nameStart - 1])) --nameStart;
    const bool chained = nameStart > 0 && (before[nameStart - 1] == '.' || before[nameStart - 1] == ')');
    const std::string_view owner = before.substr(nameStart, start - 1 - nameStart);
    const ClassInfo* cls = chained ? nullptr : session.classOf(owner);
    if (!cls && !chained) cls = findClass(owner);
    if (cls) offerMembers(c, *cls);
    result.candidates = c.take();
    return result;
  }

  const std::size_t lineStart = before.find_first_not_of(" \t");
  if (lineStart != std::string_view::npos && before[lineStart] == ':') {
    const std::string_view command = before.substr(lineStart + 1, start - lineStart - 1);
    if (command.find_first_of(" \t") == std::string_view::npos) {
      for (std::string_view w : {"help", "vars", "members", "quit"}) c.offer(w);
    } else {
      offerClasses(c);
      for (const auto& v : session.variableNames()) c.offer(v);
    }
    result.candidates = c.take();
    return result;
  }

  for (std::string_view w : keywords()) c.offer(w);
  for (std::string_view f : functions()) c.offer(f);
  for (const auto& v : session.variableNames()) c.offer(v);
  offerClasses(c);
  for (const EnumInfo& e : enumerations())
    for (const auto& [name, value] : e.values) c.offer(name);
  result.candidates = c.take();
  return result;
}

}  // namespace zs::cli::repl
