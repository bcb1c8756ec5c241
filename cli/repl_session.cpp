#include "cli/repl_session.h"

#include <new>
#include <sstream>

#include "cli/commands.h"
#include "cli/constants.h"
#include "cli/literals.h"
#include "cli/view_format.h"
#include "core/ascii.h"
#include "core/dispatch.h"
#include "core/enumerator.h"
#include "core/variant_ops.h"
#include "frame/factory.h"

namespace zs::cli::repl {
namespace {

constexpr std::string_view kSource = "zavrin repl";
constexpr int kUndefined = 500;       // Variable is undefined
constexpr int kNotCollection = 451;   // Object not a collection

[[noreturn]] void fail(int number, const std::string& what) {
  throw Error(number, what, std::string(kSource));
}

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

const ObjectPtr& objectIn(const Variant& v) {
  if (v.kind() != Kind::Object) raise(err::kObjectRequired);
  if (!v.object()) raise(err::kObjectVariableNotSet);
  return v.object();
}

// TypeName: the kind of a value, or the class of an object.
String typeNameOf(const Variant& v) {
  if (v.kind() == Kind::Object) {
    if (!v.object()) return u"Nothing";
    const ClassInfo* cls = v.object()->classInfo();
    return cls ? u16(cls->name) : u"Object";
  }
  return u16(kindName(v.kind()));
}

}  // namespace

Session::Session(std::ostream& out, std::ostream& err, ViewLimits limits, bool numbered)
    : out_(out), err_(err), limits_(limits), numbered_(numbered) {}

// Variables release their objects in the order they were made.
Session::~Session() {
  while (!variables_.empty()) variables_.pop_front();
}

Session::Feed Session::feed(std::string_view line) {
  ++lineNumber_;
  if (buffer_.empty()) {
    const std::string_view command = trim(line);
    if (command.empty()) return Feed::Ran;
    if (command[0] == ':') return meta(command.substr(1)) ? Feed::Ran : Feed::Quit;
    if (sameName(command, "exit") || sameName(command, "quit")) return Feed::Quit;
    bufferLine_ = lineNumber_;
  }
  if (buffer_.size() + line.size() >= kMaxInput) {
    buffer_.clear();
    report(Error(err::kInvalidCall,
                 "The input is longer than " + std::to_string(kMaxInput) + " bytes",
                 std::string(kSource)),
           lineNumber_);
    return Feed::Ran;
  }
  buffer_.append(line);
  buffer_ += '\n';
  std::vector<Statement> statements;
  try {
    bool complete = true;
    statements = parse(buffer_, bufferLine_, complete);
    if (!complete) return Feed::NeedMore;
  } catch (const SyntaxError& e) {
    buffer_.clear();
    report(e, e.line());
    return Feed::Ran;
  }
  buffer_.clear();
  run(statements);
  return Feed::Ran;
}

int Session::finish() {
  if (!buffer_.empty()) {
    buffer_.clear();
    report(SyntaxError("For Each without Next at the end of the input", lineNumber_), lineNumber_);
  }
  return failures_ ? 1 : 0;
}

void Session::report(const Error& e, int line) {
  ++failures_;
  out_.flush();
  if (numbered_) err_ << "Line " << line << ": ";
  err_ << "Error " << e.number() << ": " << e.description();
  if (!e.source().empty()) err_ << " (source: " << e.source() << ")";
  err_ << "\n";
  err_.flush();
}

void Session::flushNotes() {
  for (const auto& note : notes_) out_ << note << "\n";
  notes_.clear();
  out_.flush();
}

void Session::run(const std::vector<Statement>& statements) {
  for (const Statement& s : statements) {
    currentLine_ = s.line;
    try {
      execute(s);
      flushNotes();
    } catch (const Error& e) {
      flushNotes();  // what members wrote before failing
      report(e, currentLine_);
    } catch (const std::bad_alloc&) {
      notes_.clear();
      report(Error(err::kOutOfMemory), currentLine_);
    }
  }
}

void Session::execute(const Statement& s) {
  currentLine_ = s.line;
  switch (s.type) {
    case Statement::Type::Print:
      out_ << viewText(inspect(eval(*s.value), limits_)) << "\n";
      break;
    case Statement::Type::Evaluate: {
      const Variant value = eval(*s.value);
      if (!value.isEmpty()) out_ << viewText(inspect(value, limits_)) << "\n";
      break;
    }
    case Statement::Type::Let: assign(*s.target, eval(*s.value), false); break;
    case Statement::Type::Set: assign(*s.target, eval(*s.value), true); break;
    case Statement::Type::Dim:
      for (const auto& name : s.names) define(name);
      break;
    case Statement::Type::ForEach: forEach(s); break;
  }
}

void Session::forEach(const Statement& s) {
  const ObjectPtr collection = objectIn(eval(*s.value));
  Variant enumerator;
  try {
    enumerator = invoke(*collection, kNewEnumId, CallKind::Get, {});
  } catch (const Error& e) {
    if (e.number() != err::kNotSupported) throw;
    fail(kNotCollection, "Object not a collection");
  }
  auto* e = enumerator.kind() == Kind::Object ? dynamic_cast<Enumerator*>(enumerator.object().get())
                                              : nullptr;
  if (!e) fail(kNotCollection, "Object not a collection");
  Variable& loop = define(s.names[0]);
  for (;;) {
    std::vector<Variant> next = e->Next(1);
    if (next.empty()) break;
    loop.value = std::move(next[0]);
    for (const Statement& inner : s.body) {
      execute(inner);
      flushNotes();
    }
  }
}

// --- variables -------------------------------------------------------------

Session::Variable* Session::find(std::string_view name) {
  for (auto& v : variables_)
    if (sameName(v.name, name)) return &v;
  return nullptr;
}

const Session::Variable* Session::find(std::string_view name) const {
  for (const auto& v : variables_)
    if (sameName(v.name, name)) return &v;
  return nullptr;
}

Session::Variable& Session::define(const std::string& name) {
  if (Variable* v = find(name)) return *v;
  if (findConstant(name)) fail(err::kInvalidCall, "'" + name + "' is a constant and cannot be assigned");
  variables_.push_back({name, Variant()});
  return variables_.back();
}

std::vector<std::string> Session::variableNames() const {
  std::vector<std::string> names;
  for (const auto& v : variables_) names.push_back(v.name);
  return names;
}

const ClassInfo* Session::classOf(std::string_view variable) const {
  const Variable* v = find(variable);
  if (!v || v->value.kind() != Kind::Object || !v->value.object()) return nullptr;
  return v->value.object()->classInfo();
}

// --- expressions -----------------------------------------------------------

Variant Session::eval(const Expr& e) {
  switch (e.type) {
    case Expr::Type::Literal: return e.value;
    case Expr::Type::Name: return evalName(e.name);
    case Expr::Type::Member: return invokeOn(eval(*e.target), &e.name, CallKind::Default, {}, nullptr);
    case Expr::Type::Call: return evalCall(e);
    case Expr::Type::New: {
      const ClassInfo* cls = findClass(e.name);
      if (!cls) fail(err::kClassNotAvailable, "No class named " + e.name);
      return Variant(createObject(*cls));
    }
    case Expr::Type::Negate: return subtract(Variant(Integer{0}), eval(*e.target));
    case Expr::Type::Binary: {
      const Variant left = eval(*e.target);
      const Variant right = eval(*e.right);
      if (e.name == "&") return concat(left, right);
      if (e.name == "+") return add(left, right);
      if (e.name == "-") return subtract(left, right);
      return multiply(left, right);
    }
  }
  return {};
}

// A name: a variable, else an enumeration constant, else a class (a new
// object of it).
Variant Session::evalName(const std::string& name) {
  if (const Variable* v = find(name)) return v->value;
  if (auto constant = findConstant(name)) return Variant(constant->value);
  if (const ClassInfo* cls = findClass(name)) return Variant(createObject(*cls));
  fail(kUndefined, "Variable is undefined: '" + name + "'");
}

Variant Session::evalCall(const Expr& call) {
  const Expr& target = *call.target;
  if (target.type == Expr::Type::Member)
    return invokeOn(eval(*target.target), &target.name, CallKind::Default, call.args, nullptr);
  if (target.type == Expr::Type::Name && !find(target.name)) {
    for (std::string_view f : functions())
      if (sameName(f, target.name)) return function(std::string(f), call.args);
  }
  // The default member of the object: keys(1) is keys.Item(1).
  return invokeOn(eval(target), nullptr, CallKind::Default, call.args, nullptr);
}

Variant Session::function(const std::string& name, const std::vector<ExprPtr>& args) {
  if (args.size() != 1 || !args[0]) fail(err::kWrongArgCount, name + " takes one argument");
  const Variant value = eval(*args[0]);
  if (name == "CreateObject") return Variant(createObject(u8(toText(value))));
  if (name == "TypeName") return Variant(typeNameOf(value));
  static const std::pair<std::string_view, TypeRef> kConversions[] = {
      {"CInt", t::Integer}, {"CLng", t::Long},   {"CSng", t::Single},  {"CDbl", t::Double},
      {"CCur", t::Currency}, {"CStr", t::String}, {"CBool", t::Boolean},
  };
  for (const auto& [f, type] : kConversions)
    if (f == name) return coerce(value, type);
  fail(kUndefined, "Unknown function " + name);
}

// An argument: a variable is passed by reference (bound, to take what the
// member leaves in it); a constant is checked against the parameter.
Variant Session::argumentValue(const Expr& e, const Param* param, Variable*& bound) {
  if (e.type == Expr::Type::Name) {
    if (Variable* v = find(e.name)) {
      bound = v;
      return v->value;
    }
    if (auto constant = findConstant(e.name)) {
      if (param) checkConstantFor(*param, *constant);
      return Variant(constant->value);
    }
    if (param && param->type.type == Type::Enum && !findClass(e.name))
      unknownConstantFor(*param, e.name);
  }
  return eval(e);
}

Variant Session::invokeOn(const Variant& target, const std::string* member, CallKind kind,
                          const std::vector<ExprPtr>& argExprs, const Variant* assigned) {
  const ObjectPtr object = objectIn(target);
  const ClassInfo* cls = object->classInfo();
  const Member* found = nullptr;
  if (cls) found = member ? findMember(*cls, *member, kind) : findMember(*cls, kDefaultMemberId, kind);

  std::vector<Argument> args;
  std::vector<Variable*> bound(argExprs.size(), nullptr);
  args.reserve(argExprs.size() + 1);
  for (std::size_t i = 0; i < argExprs.size(); ++i) {
    const Param* param = found && i < found->params.size() ? &found->params[i] : nullptr;
    if (!argExprs[i]) {
      args.push_back(Argument::omitted());
    } else {
      args.push_back(Argument::byReference(argumentValue(*argExprs[i], param, bound[i])));
    }
  }
  if (assigned) args.push_back(Argument::byValue(*assigned));

  auto writeBack = [&] {
    for (std::size_t i = 0; i < bound.size(); ++i) {
      if (!bound[i] || bound[i]->value.sameAs(args[i].value)) continue;
      bound[i]->value = args[i].value;
      notes_.push_back("ByRef " + bound[i]->name + " = " + formatValue(bound[i]->value));
    }
  };
  Variant result;
  try {
    if (found) {
      result = invoke(*object, *found, kind, args);
    } else if (member) {
      result = invoke(*object, *member, kind, args);
    } else {
      result = invoke(*object, kDefaultMemberId, kind, args);
    }
  } catch (const Error&) {
    writeBack();
    throw;
  }
  writeBack();
  return result;
}

void Session::assign(const Expr& target, Variant value, bool set) {
  if (set && value.kind() != Kind::Object)
    fail(err::kObjectRequired, "Object required: Set assigns objects (or Nothing)");
  const CallKind kind = set ? CallKind::Set : CallKind::Let;
  static const std::vector<ExprPtr> kNone;
  switch (target.type) {
    case Expr::Type::Name:
      define(target.name).value = std::move(value);
      return;
    case Expr::Type::Member:
      invokeOn(eval(*target.target), &target.name, kind, kNone, &value);
      return;
    case Expr::Type::Call: {
      const Expr& callee = *target.target;
      if (callee.type == Expr::Type::Member) {
        invokeOn(eval(*callee.target), &callee.name, kind, target.args, &value);
      } else {
        invokeOn(eval(callee), nullptr, kind, target.args, &value);
      }
      return;
    }
    default:
      throw SyntaxError("only a variable or a property can be assigned", currentLine_);
  }
}

// --- commands of the session -----------------------------------------------

bool Session::meta(std::string_view command) {
  command = trim(command);
  const auto blank = command.find_first_of(" \t");
  const std::string_view word = command.substr(0, blank);
  const std::string_view rest = blank == std::string_view::npos ? "" : trim(command.substr(blank));
  if (sameName(word, "quit") || sameName(word, "q")) return false;
  if (sameName(word, "help")) {
    out_ << helpText();
  } else if (sameName(word, "vars")) {
    for (const auto& v : variables_) out_ << v.name << " = " << formatValue(v.value) << "\n";
  } else if (sameName(word, "members") && !rest.empty()) {
    const ClassInfo* cls = classOf(rest);
    std::istringstream none;
    CommandIo io{none, out_, err_};
    const std::string name = cls ? std::string(cls->name) : std::string(rest);
    if (runCommandLine(std::vector<std::string>{"members", name}, io) != 0) ++failures_;
  } else {
    report(Error(err::kInvalidCall,
                 "Unknown command :" + std::string(word) + " (:help, :vars, :members NAME, :quit)",
                 std::string(kSource)),
           lineNumber_);
  }
  out_.flush();
  return true;
}

std::string_view helpText() {
  return "Statements (names in any letter case; ' starts a comment; : separates statements):\n"
         "  set n = ZSNumbers              a new object (also New ZSNumbers, CreateObject(\"ProgID\"))\n"
         "  s = \"101\"                      assign a variable\n"
         "  n.BinToDec s                   call a member; the result is printed, and each\n"
         "                                 variable the call changed as `ByRef s = ...`\n"
         "  ? n.BinToDec(\"101\")            print a value; objects show what they hold\n"
         "  keys(1).KeyNames = \"x\"         assign a property (Set for an object)\n"
         "  for each k in r.ListKeys(zvHKEY_CURRENT_USER, \"Software\")\n"
         "    ? k.KeyNames\n"
         "  next\n"
         "  dim a, b\n"
         "Values: \"text\", 5, 70000, 2.5, True, False, Empty, Null, Nothing, constants\n"
         "(zvHKEY_CURRENT_USER), variables, calls; - * + & ; CInt CLng CSng CDbl CCur CStr\n"
         "CBool TypeName CreateObject. An omitted argument: f(1, , 3).\n"
         "Commands: :help  :vars  :members CLASS|VARIABLE  :quit (or exit, or end of input)\n"
         "Tab completes class names, members (after `var.`), constants and variables.\n";
}

}  // namespace zs::cli::repl
