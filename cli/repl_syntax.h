// The statements of `zavrin repl`: a small part of the language script
// authors know.
//
//   set n = ZSNumbers                 a new object (also New ZSNumbers,
//                                     CreateObject("VQZavrinStudio.ZSNumbers"))
//   s = "101"                         assignment (objects too; Set is optional)
//   n.BinToDec s                      a call; its result is printed
//   ? n.BinToDec("101")               print a value (also: print ...)
//   keys.Item(1).KeyNames = "x"       property assignment (let; set with Set)
//   for each k in r.ListKeys(zvHKEY_CURRENT_USER, "Software")
//     ? k.KeyNames
//   next
//   dim a, b                          declare (Empty)
//   a = 1: b = 2                      several statements on a line
//   ' comment
//
// Expressions: "text" ("" is a quote), numbers (5 Integer, 70000 Long, 2.5
// Double), True, False, Empty, Null, Nothing, enumeration constants, variables,
// member calls with or without parentheses, default members (keys(1)), an
// omitted argument between commas, unary -, * + - and & (concatenation), and
// the functions CreateObject, CInt, CLng, CSng, CDbl, CCur, CStr, CBool and
// TypeName. Names compare without regard to letter case.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/variant.h"

namespace zs::cli::repl {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  enum class Type {
    Literal,  // value
    Name,     // name
    Member,   // target.name
    Call,     // target(args) or target args; a null argument is omitted
    New,      // New name
    Negate,   // -target
    Binary,   // target op right; op in name: "*", "+", "-", "&"
  };
  Type type;
  Variant value;
  std::string name;
  ExprPtr target, right;
  std::vector<ExprPtr> args;
};

struct Statement {
  enum class Type {
    Print,    // ? value
    Evaluate, // value alone: a call, or a value to show
    Let,      // target = value
    Set,      // set target = value
    Dim,      // dim names
    ForEach,  // for each name in value ... next
  };
  Type type;
  ExprPtr target, value;
  std::vector<std::string> names;  // Dim: the names; ForEach: the loop variable
  std::vector<Statement> body;     // ForEach
  int line = 1;                    // the line (of the text parsed) it starts on
};

// A statement that does not parse: run-time error 1002 with the line (of the
// text parsed, from `firstLine`) it was found on.
class SyntaxError : public Error {
 public:
  SyntaxError(const std::string& what, int line);
  int line() const { return line_; }

 private:
  int line_;
};

// Parses text of one or more lines, numbered from `firstLine`. Raises
// SyntaxError. `complete` is set false, without raising, when the text ends
// inside a For Each block (more lines are needed).
std::vector<Statement> parse(std::string_view text, int firstLine, bool& complete);

// The words that begin statements or stand for values, for completion.
std::vector<std::string_view> keywords();
// The functions of the expressions, for completion.
std::vector<std::string_view> functions();

inline constexpr int kSyntaxError = 1002;
inline constexpr std::size_t kMaxNesting = 100;     // parentheses and blocks
inline constexpr std::size_t kMaxOperators = 1000;  // in one statement

}  // namespace zs::cli::repl
