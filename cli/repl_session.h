// The state of a `zavrin repl` session: its variables (objects live across
// lines), the lines of a block still being typed, and how it reports. Each
// complete statement runs at once; a failing statement prints its error and
// the session goes on. The statements are described in repl_syntax.h.
#pragma once

#include <cstddef>
#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/object_view.h"
#include "cli/repl_syntax.h"
#include "core/class_info.h"

namespace zs::cli::repl {

class Session {
 public:
  // `numbered`: errors name the line they come from (input from a file or a pipe).
  Session(std::ostream& out, std::ostream& err, ViewLimits limits, bool numbered);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  enum class Feed { Ran, NeedMore, Quit };
  // One line of input (without its line end).
  Feed feed(std::string_view line);
  // The input ended: reports a block left open. Returns the exit status: 0
  // when every statement ran, 1 when one failed.
  int finish();

  bool pending() const { return !buffer_.empty(); }
  std::size_t failures() const { return failures_; }

  // What completion needs: the variables, and the class of the object a
  // variable holds (null when it holds none).
  std::vector<std::string> variableNames() const;
  const ClassInfo* classOf(std::string_view variable) const;

  // Inputs longer than this (a line, or a block's lines together) are refused.
  static constexpr std::size_t kMaxInput = 1u << 20;

 private:
  struct Variable {
    std::string name;  // as first written
    Variant value;
  };
  struct Bound;

  void run(const std::vector<Statement>& statements);
  void execute(const Statement& s);
  bool meta(std::string_view command);
  void report(const Error& e, int line);
  void flushNotes();

  Variant eval(const Expr& e);
  Variant evalName(const std::string& name);
  Variant evalCall(const Expr& call);
  Variant function(const std::string& name, const std::vector<ExprPtr>& args);
  Variant invokeOn(const Variant& target, const std::string* member, CallKind kind,
                   const std::vector<ExprPtr>& args, const Variant* assigned);
  Variant argumentValue(const Expr& e, const Param* param, Variable*& bound);
  void assign(const Expr& target, Variant value, bool set);
  void forEach(const Statement& s);

  Variable* find(std::string_view name);
  const Variable* find(std::string_view name) const;
  Variable& define(const std::string& name);

  std::ostream& out_;
  std::ostream& err_;
  ViewLimits limits_;
  bool numbered_;
  std::deque<Variable> variables_;  // stable addresses while calls write back
  std::vector<std::string> notes_;  // by-reference write-backs of the statement
  std::string buffer_;              // the lines of an unfinished block
  int bufferLine_ = 0;              // the line the buffer starts on
  int lineNumber_ = 0;              // lines fed so far
  int currentLine_ = 0;             // the line of the statement running
  std::size_t failures_ = 0;
};

// The help text of the session (`:help`).
std::string_view helpText();

}  // namespace zs::cli::repl
