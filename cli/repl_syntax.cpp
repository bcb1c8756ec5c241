#include "cli/repl_syntax.h"

#include <charconv>
#include <limits>

#include "cli/plain_numbers.h"
#include "core/ascii.h"

namespace zs::cli::repl {
namespace {

constexpr std::string_view kSource = "zavrin repl";

struct Token {
  enum class Kind { Name, Number, Text, Op, LineEnd, End };
  Kind kind;
  std::string text;  // a name, a number's digits, a text's content, an operator
  int line;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '_'; }

std::vector<Token> lex(std::string_view text, int line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '\n') {
      tokens.push_back({Token::Kind::LineEnd, "", line++});
      ++i;
    } else if (c == '\'') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (isLetter(c) || c == '_') {
      const std::size_t start = i;
      while (i < text.size() && isNameChar(text[i])) ++i;
      std::string name(text.substr(start, i - start));
      if (sameName(name, "rem")) {
        while (i < text.size() && text[i] != '\n') ++i;
        continue;
      }
      tokens.push_back({Token::Kind::Name, std::move(name), line});
    } else if (isDigit(c)) {
      const std::size_t start = i;
      while (i < text.size() && isDigit(text[i])) ++i;
      if (i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
      }
      if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
          i = j;
          while (i < text.size() && isDigit(text[i])) ++i;
        }
      }
      tokens.push_back({Token::Kind::Number, std::string(text.substr(start, i - start)), line});
    } else if (c == '"') {
      std::string value;
      ++i;
      for (;;) {
        if (i >= text.size() || text[i] == '\n') throw SyntaxError("the text has no closing quote", line);
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            value += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        value += text[i++];
      }
      tokens.push_back({Token::Kind::Text, std::move(value), line});
    } else if (std::string_view("?.,()=:&+-*").find(c) != std::string_view::npos) {
      tokens.push_back({Token::Kind::Op, std::string(1, c), line});
      ++i;
    } else {
      throw SyntaxError("unexpected character '" + std::string(1, c) + "'", line);
    }
  }
  tokens.push_back({Token::Kind::End, "", line});
  return tokens;
}

// A whole number as Integer or Long when it fits (as scripts read them),
// otherwise a Double.
Variant numberValue(const std::string& digits) {
  if (digits.find_first_of(".eE") == std::string::npos) {
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec == std::errc() && end == digits.data() + digits.size()) {
      if (n <= std::numeric_limits<Integer>::max()) return Variant(static_cast<Integer>(n));
      if (n <= std::numeric_limits<Long>::max()) return Variant(static_cast<Long>(n));
    }
  }
  return Variant(parseDecimal(digits));
}

ExprPtr make(Expr::Type type) {
  auto e = std::make_unique<Expr>();
  e->type = type;
  return e;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  // Statements up to the end (top level) or up to Next (inside a block).
  std::vector<Statement> block(bool inLoop, bool& complete) {
    std::vector<Statement> out;
    for (;;) {
      while (isOp(":") || peek().kind == Token::Kind::LineEnd) ++pos_;
      if (peek().kind == Token::Kind::End) {
        if (inLoop) complete = false;
        return out;
      }
      if (isWord("next")) {
        if (!inLoop) fail("Next without For Each");
        ++pos_;
        if (peek().kind == Token::Kind::Name) ++pos_;  // Next k
        endOfStatement();
        return out;
      }
      out.push_back(statement(complete));
      if (!complete) return out;
      endOfStatement();
    }
  }

 private:
  const Token& peek() const { return tokens_[pos_]; }
  bool isOp(std::string_view op) const {
    return peek().kind == Token::Kind::Op && peek().text == op;
  }
  bool isWord(std::string_view word) const {
    return peek().kind == Token::Kind::Name && sameName(peek().text, word);
  }
  bool atStatementEnd() const {
    return isOp(":") || peek().kind == Token::Kind::LineEnd || peek().kind == Token::Kind::End;
  }
  [[noreturn]] void fail(const std::string& what) const { throw SyntaxError(what, peek().line); }
  std::string shown() const {
    switch (peek().kind) {
      case Token::Kind::End:
      case Token::Kind::LineEnd: return "the end of the line";
      case Token::Kind::Text: return "a text";
      default: return "'" + peek().text + "'";
    }
  }
  void expectOp(std::string_view op, std::string_view where) {
    if (!isOp(op)) fail("expected '" + std::string(op) + "' " + std::string(where) + ", found " + shown());
    ++pos_;
  }
  void expectWord(std::string_view word) {
    if (!isWord(word)) fail("expected " + std::string(word) + ", found " + shown());
    ++pos_;
  }
  std::string name(std::string_view what) {
    if (peek().kind != Token::Kind::Name) fail("expected " + std::string(what) + ", found " + shown());
    return tokens_[pos_++].text;
  }
  void endOfStatement() {
    if (!atStatementEnd()) fail("expected the end of the statement, found " + shown());
  }

  struct Nested {
    explicit Nested(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxNesting) p_.fail("nested too deeply");
    }
    ~Nested() { --p_.depth_; }
    Parser& p_;
  };

  Statement statement(bool& complete) {
    operators_ = 0;
    Statement s;
    s.line = peek().line;
    if (isOp("?") || isWord("print")) {
      ++pos_;
      s.type = Statement::Type::Print;
      s.value = expression();
    } else if (isWord("set")) {
      ++pos_;
      s.type = Statement::Type::Set;
      s.target = postfix();
      expectOp("=", "after the name");
      s.value = expression();
    } else if (isWord("dim")) {
      ++pos_;
      s.type = Statement::Type::Dim;
      s.names.push_back(name("a variable name"));
      while (isOp(",")) {
        ++pos_;
        s.names.push_back(name("a variable name"));
      }
    } else if (isWord("for")) {
      Nested nested(*this);
      ++pos_;
      expectWord("each");
      s.type = Statement::Type::ForEach;
      s.names.push_back(name("the loop variable"));
      expectWord("in");
      s.value = expression();
      if (!atStatementEnd()) fail("expected the end of the statement, found " + shown());
      s.body = block(true, complete);
    } else if (isWord("call")) {
      ++pos_;
      s.type = Statement::Type::Evaluate;
      s.value = postfix();
    } else if (peek().kind == Token::Kind::Name && !isValueWord()) {
      ExprPtr head = postfix();
      if (isOp("=")) {
        ++pos_;
        s.type = Statement::Type::Let;
        s.target = std::move(head);
        s.value = expression();
      } else {
        s.type = Statement::Type::Evaluate;
        s.value = statementCall(std::move(head));
      }
    } else {
      s.type = Statement::Type::Evaluate;
      s.value = expression();
    }
    return s;
  }

  // Words that stand for a value: a statement starting with one is an expression.
  bool isValueWord() const {
    for (std::string_view w : {"true", "false", "empty", "null", "nothing", "new"})
      if (isWord(w)) return true;
    return false;
  }

  // `head` at the start of a statement: followed by arguments without
  // parentheses it is a call; followed by an operator, the start of an
  // expression to show.
  ExprPtr statementCall(ExprPtr head) {
    if (atStatementEnd()) return head;
    if (isOp("&") || isOp("+") || isOp("*")) return binaryRest(std::move(head));
    auto call = make(Expr::Type::Call);
    call->target = std::move(head);
    arguments(call->args, "");
    return call;
  }

  // Arguments up to `closing` (")"), or to the end of the statement when
  // `closing` is empty. An empty place between commas is an omitted argument.
  void arguments(std::vector<ExprPtr>& args, std::string_view closing) {
    auto atClose = [&] { return closing.empty() ? atStatementEnd() : isOp(closing); };
    if (atClose()) return;
    for (;;) {
      if (isOp(",") || atClose()) {
        args.push_back(nullptr);
      } else {
        args.push_back(expression());
      }
      if (!isOp(",")) break;
      ++pos_;
    }
  }

  ExprPtr expression() {
    Nested nested(*this);
    ExprPtr left = additive();
    while (isOp("&")) {
      ++pos_;
      left = binary("&", std::move(left), additive());
    }
    return left;
  }

  // The rest of an expression whose first operand is already read.
  ExprPtr binaryRest(ExprPtr left) {
    while (isOp("*")) {
      ++pos_;
      left = binary("*", std::move(left), unary());
    }
    while (isOp("+") || isOp("-")) {
      const std::string op = tokens_[pos_++].text;
      left = binary(op, std::move(left), term());
    }
    while (isOp("&")) {
      ++pos_;
      left = binary("&", std::move(left), additive());
    }
    return left;
  }

  // Operator chains build left-deep trees: their length is bounded so that
  // evaluating and freeing a tree stays within the stack.
  ExprPtr binary(std::string op, ExprPtr left, ExprPtr right) {
    if (++operators_ > kMaxOperators) fail("too many operators in one statement");
    auto e = make(Expr::Type::Binary);
    e->name = std::move(op);
    e->target = std::move(left);
    e->right = std::move(right);
    return e;
  }

  ExprPtr additive() {
    ExprPtr left = term();
    while (isOp("+") || isOp("-")) {
      const std::string op = tokens_[pos_++].text;
      left = binary(op, std::move(left), term());
    }
    return left;
  }

  ExprPtr term() {
    ExprPtr left = unary();
    while (isOp("*")) {
      ++pos_;
      left = binary("*", std::move(left), unary());
    }
    return left;
  }

  ExprPtr unary() {
    Nested nested(*this);
    if (isOp("-")) {
      ++pos_;
      auto e = make(Expr::Type::Negate);
      e->target = unary();
      return e;
    }
    return postfix();
  }

  ExprPtr postfix() {
    ExprPtr e = primary();
    for (;;) {
      if (isOp(".")) {
        ++pos_;
        auto m = make(Expr::Type::Member);
        m->name = name("a member name after '.'");
        m->target = std::move(e);
        e = std::move(m);
      } else if (isOp("(")) {
        Nested nested(*this);
        ++pos_;
        auto call = make(Expr::Type::Call);
        call->target = std::move(e);
        arguments(call->args, ")");
        expectOp(")", "after the arguments");
        e = std::move(call);
      } else {
        return e;
      }
    }
  }

  ExprPtr primary() {
    const Token& t = peek();
    if (t.kind == Token::Kind::Number) {
      auto e = make(Expr::Type::Literal);
      e->value = numberValue(t.text);
      ++pos_;
      return e;
    }
    if (t.kind == Token::Kind::Text) {
      auto e = make(Expr::Type::Literal);
      e->value = Variant(u16(t.text));
      ++pos_;
      return e;
    }
    if (isOp("(")) {
      ++pos_;
      ExprPtr e = expression();
      expectOp(")", "after the expression");
      return e;
    }
    if (t.kind != Token::Kind::Name) fail("expected a value, found " + shown());
    static const std::pair<std::string_view, Variant (*)()> kWords[] = {
        {"true", [] { return Variant(true); }},        {"false", [] { return Variant(false); }},
        {"empty", [] { return Variant(); }},           {"null", [] { return Variant::null(); }},
        {"nothing", [] { return Variant::nothing(); }},
    };
    for (const auto& [word, value] : kWords) {
      if (!isWord(word)) continue;
      ++pos_;
      auto e = make(Expr::Type::Literal);
      e->value = value();
      return e;
    }
    if (isWord("new")) {
      ++pos_;
      auto e = make(Expr::Type::New);
      e->name = name("a class name after New");
      return e;
    }
    auto e = make(Expr::Type::Name);
    e->name = t.text;
    ++pos_;
    return e;
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::size_t depth_ = 0;
  std::size_t operators_ = 0;
};

}  // namespace

SyntaxError::SyntaxError(const std::string& what, int line)
    : Error(kSyntaxError, "Syntax error: " + what, std::string(kSource)), line_(line) {}

std::vector<Statement> parse(std::string_view text, int firstLine, bool& complete) {
  complete = true;
  Parser parser(lex(text, firstLine));
  return parser.block(false, complete);
}

std::vector<std::string_view> keywords() {
  return {"Set", "Dim", "For", "Each", "In", "Next", "Call", "Print", "New",
          "True", "False", "Empty", "Null", "Nothing"};
}

std::vector<std::string_view> functions() {
  return {"CreateObject", "CInt", "CLng", "CSng", "CDbl", "CCur", "CStr", "CBool", "TypeName"};
}

}  // namespace zs::cli::repl
