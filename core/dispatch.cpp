#include "core/dispatch.h"

#include <cstdio>
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

// Up to kInline converted arguments live on the stack; longer lists (rare)
// go to the heap.
constexpr std::size_t kInline = 8;

class ArgumentValues {
 public:
  explicit ArgumentValues(std::size_t n) : size_(n) {
    if (n > kInline) heap_.resize(n);
  }
  std::span<Variant> all() { return {size_ > kInline ? heap_.data() : inline_, size_}; }

 private:
  std::size_t size_;
  Variant inline_[kInline];
  std::vector<Variant> heap_;
};

Variant call(Object& target, const Member& member, bool write, std::span<Argument> args) {
  // A field assignment takes the new value as its one parameter.
  const Param fieldParam[] = {in("RHS", write ? member.result : t::Void)};
  std::span<const Param> params = write ? std::span<const Param>(fieldParam) : member.params;
  // Arguments converted to the declared types; by-reference ones are written
  // back to the caller's variables whatever way the call ends.
  ArgumentValues buffer(params.size());
  const std::span<Variant> values = buffer.all();
  std::size_t converted = 0;
  auto writeBack = [&] {
    for (std::size_t i = 0; i < converted && i < args.size(); ++i)
      if (args[i].byRef && params[i].byRef && !args[i].value.isMissing())
        args[i].value = values[i];
  };
  try {
    if (args.size() > params.size()) raise(err::kWrongArgCount);
    for (; converted < params.size(); ++converted) {
      const Param& p = params[converted];
      const bool given = converted < args.size() && !args[converted].value.isMissing();
      if (given) {
        values[converted] = coerce(args[converted].value, p.type);
      } else if (p.optional) {
        values[converted] = p.defaultValue ? coerce(*p.defaultValue, p.type) : zeroValue(p.type);
      } else if (p.type.type == Type::Variant && converted < args.size()) {
        // A missing value passed explicitly to a Variant parameter is a value.
        values[converted] = args[converted].value;
      } else {
        raise(err::kArgNotOptional);
      }
    }
    Invoker fn = write ? member.assign : member.invoke;
    if (!fn) raise(err::kNotSupported);
    Variant result = fn(target, values);
    writeBack();
    return result;
  } catch (Error& e) {
    writeBack();
    if (e.source().empty()) e.setSource(sourceOf(target));
    throw;
  }
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
