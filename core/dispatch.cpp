#include "core/dispatch.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

bool isWrite(const Member& m, CallKind kind) {
  return m.kind == MemberKind::Field && (kind == CallKind::Let || kind == CallKind::Set);
}

std::string sourceOf(const Object& target) {
  const ClassInfo* cls = target.classInfo();
  return cls ? cls->progId() : std::string(library::kName);
}

// The arguments converted to the declared parameter types. Up to kInline of
// them live on the stack; longer lists (rare) go to the heap. Values are
// constructed in place as they are converted.
constexpr std::size_t kInline = 8;

class ArgumentValues {
 public:
  explicit ArgumentValues(std::size_t n) {
    if (n > kInline) heap_.reserve(n);
  }
  ~ArgumentValues() {
    if (heap_.capacity() == 0) std::destroy_n(inlineValues(), size_);
  }
  ArgumentValues(const ArgumentValues&) = delete;
  ArgumentValues& operator=(const ArgumentValues&) = delete;

  void push(Variant value) {
    if (heap_.capacity() != 0)
      heap_.push_back(std::move(value));
    else
      std::construct_at(inlineValues() + size_, std::move(value));
    ++size_;
  }
  std::size_t size() const { return size_; }
  std::span<Variant> all() { return {heap_.capacity() != 0 ? heap_.data() : inlineValues(), size_}; }

 private:
  Variant* inlineValues() { return std::launder(reinterpret_cast<Variant*>(room_)); }

  std::size_t size_ = 0;
  alignas(Variant) std::byte room_[kInline * sizeof(Variant)];
  std::vector<Variant> heap_;
};

// Whether a value already has a parameter's declared type, so that passing it
// needs no conversion.
bool hasType(const Variant& v, TypeRef type) {
  switch (type.type) {
    case Type::Variant: return true;
    case Type::Integer: return v.kind() == Kind::Integer;
    case Type::Long: case Type::Enum: case Type::Color: return v.kind() == Kind::Long;
    case Type::Single: return v.kind() == Kind::Single;
    case Type::Double: return v.kind() == Kind::Double;
    case Type::Currency: return v.kind() == Kind::Currency;
    case Type::String: return v.kind() == Kind::String;
    case Type::Boolean: return v.kind() == Kind::Boolean;
    case Type::Object: case Type::Unknown: case Type::Picture: return v.kind() == Kind::Object;
    case Type::Void: return false;
  }
  return false;
}

// The value a parameter takes from the caller's argument, or its default. A
// by-reference argument of the declared type moves in: it moves back to the
// caller's variable when the call ends.
Variant argumentValue(const Param& p, std::span<Argument> args, std::size_t i) {
  const bool given = i < args.size() && !args[i].value.isMissing();
  if (given && args[i].byRef && p.byRef && hasType(args[i].value, p.type))
    return std::move(args[i].value);
  if (given) return coerce(args[i].value, p.type);
  if (p.optional) return p.defaultValue ? coerce(*p.defaultValue, p.type) : zeroValue(p.type);
  // A missing value passed explicitly to a Variant parameter is a value.
  if (p.type.type == Type::Variant && i < args.size()) return args[i].value;
  raise(err::kArgNotOptional);
}

Variant callWith(Object& target, Invoker fn, std::span<const Param> params,
                 std::span<Argument> args) {
  ArgumentValues values(params.size());
  // By-reference arguments go back to the caller's variables whatever way the
  // call ends; the converted values are not needed after that.
  auto writeBack = [&] {
    const std::span<Variant> converted = values.all();
    for (std::size_t i = 0; i < converted.size() && i < args.size(); ++i)
      if (args[i].byRef && params[i].byRef && !args[i].value.isMissing())
        args[i].value = std::move(converted[i]);
  };
  try {
    if (args.size() > params.size()) raise(err::kWrongArgCount);
    for (std::size_t i = 0; i < params.size(); ++i) values.push(argumentValue(params[i], args, i));
    if (!fn) raise(err::kNotSupported);
    Variant result = fn(target, values.all());
    writeBack();
    return result;
  } catch (Error& e) {
    writeBack();
    if (e.source().empty()) e.setSource(sourceOf(target));
    throw;
  }
}

Variant call(Object& target, const Member& member, bool write, std::span<Argument> args) {
  if (!write) return callWith(target, member.invoke, member.params, args);
  // A field assignment takes the new value as its one parameter.
  const Param value = in("RHS", member.result);
  return callWith(target, member.assign, std::span<const Param>(&value, 1), args);
}

}  // namespace

std::string_view memberKindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Method: return "method";
    case MemberKind::Get: return "get";
    case MemberKind::Let: return "let";
    case MemberKind::Set: return "set";
    case MemberKind::Field: return "field";
  }
  return "";
}

std::string dispidHex(DispId id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(id)));
  return buf;
}

std::string_view typeName(TypeRef type) {
  if (!type.name.empty()) return type.name;
  switch (type.type) {
    case Type::Void: return "void";
    case Type::Integer: return "Integer";
    case Type::Long: return "Long";
    case Type::Single: return "Single";
    case Type::Double: return "Double";
    case Type::Currency: return "Currency";
    case Type::String: return "String";
    case Type::Boolean: return "Boolean";
    case Type::Variant: return "Variant";
    case Type::Object: return "Object";
    case Type::Unknown: return "IUnknown";
    case Type::Picture: return "Picture";
    case Type::Color: return "OLE_COLOR";
    case Type::Enum: return "Long";
  }
  return "";
}

const Member* findMember(const ClassInfo& cls, std::string_view name, CallKind kind) {
  return cls.memberTable().find(name, kind);
}

const Member* findMember(const ClassInfo& cls, DispId id, CallKind kind) {
  return cls.memberTable().find(id, kind);
}

namespace {
Variant invokeFound(Object& target, const Member* m, CallKind kind, std::span<Argument> args) {
  if (!m) throw Error(err::kNotSupported, std::string(standardDescription(err::kNotSupported)),
                      sourceOf(target));
  return call(target, *m, isWrite(*m, kind), args);
}
const ClassInfo& infoOf(const Object& target) {
  const ClassInfo* cls = target.classInfo();
  if (!cls) throw Error(err::kNotSupported);
  return *cls;
}
}  // namespace

Variant invoke(Object& target, std::string_view name, CallKind kind, std::span<Argument> args) {
  return invokeFound(target, findMember(infoOf(target), name, kind), kind, args);
}

Variant invoke(Object& target, DispId id, CallKind kind, std::span<Argument> args) {
  return invokeFound(target, findMember(infoOf(target), id, kind), kind, args);
}

Variant invoke(Object& target, const Member& member, CallKind kind, std::span<Argument> args) {
  return call(target, member, isWrite(member, kind), args);
}

Variant zeroValue(TypeRef type) {
  switch (type.type) {
    case Type::Void: return Variant();
    case Type::Integer: return Variant(Integer{0});
    case Type::Long: case Type::Enum: case Type::Color: return Variant(Long{0});
    case Type::Single: return Variant(Single{0});
    case Type::Double: return Variant(Double{0});
    case Type::Currency: return Variant(Currency{});
    case Type::String: return Variant(String());
    case Type::Boolean: return Variant(false);
    case Type::Variant: return Variant::missing();
    case Type::Object: case Type::Unknown: case Type::Picture: return Variant::nothing();
  }
  return Variant();
}

Variant coerce(const Variant& value, TypeRef type) {
  switch (type.type) {
    case Type::Void: return Variant();
    case Type::Integer: return Variant(toInteger(value));
    case Type::Long: case Type::Enum: return Variant(toLong(value));
    case Type::Color: {
      // OLE_COLOR is unsigned: a value from 2^31 to 2^32-1 keeps its bit pattern.
      if (value.kind() == Kind::Double || value.kind() == Kind::Currency ||
          value.kind() == Kind::Single || value.kind() == Kind::String) {
        Double d = toDouble(value);
        if (d >= 2147483648.0 && d <= 4294967295.0)
          return Variant(static_cast<Long>(static_cast<std::uint32_t>(d)));
      }
      return Variant(toLong(value));
    }
    case Type::Single: return Variant(toSingle(value));
    case Type::Double: return Variant(toDouble(value));
    case Type::Currency: return Variant(toCurrency(value));
    case Type::String: return Variant(toText(value));
    case Type::Boolean: return Variant(toBoolean(value));
    case Type::Variant: return value;
    case Type::Object: case Type::Unknown: case Type::Picture:
      if (value.kind() != Kind::Object) raise(err::kTypeMismatch);
      return value;
  }
  return value;
}

}  // namespace zs
