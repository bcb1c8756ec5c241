#include "core/dispatch.h"

#include <string>
#include <vector>

#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

bool accepts(const Member& m, CallKind kind) {
  switch (kind) {
    case CallKind::Default:
      return true;
    // Script hosts call functions and read properties with the same flags, so
    // a method call reaches a property read and the other way round.
    case CallKind::Method:
    case CallKind::Get:
      return m.kind == MemberKind::Method || m.kind == MemberKind::Get ||
             m.kind == MemberKind::Field;
    case CallKind::Let:
      return m.kind == MemberKind::Let || m.kind == MemberKind::Field;
    case CallKind::Set:
      return m.kind == MemberKind::Set || m.kind == MemberKind::Field;
  }
  return false;
}

// Among the members that accept the call, the one whose kind matches the call
// exactly wins (a Get over a Method of the same name, and so on).
int rank(const Member& m, CallKind kind) {
  switch (kind) {
    case CallKind::Default:
      return m.kind == MemberKind::Method || m.kind == MemberKind::Get ||
                     m.kind == MemberKind::Field
                 ? 2
                 : 1;
    case CallKind::Method: return m.kind == MemberKind::Method ? 2 : 1;
    case CallKind::Get: return m.kind == MemberKind::Get || m.kind == MemberKind::Field ? 2 : 1;
    case CallKind::Let: return m.kind == MemberKind::Let ? 2 : 1;
    case CallKind::Set: return m.kind == MemberKind::Set ? 2 : 1;
  }
  return 0;
}

template <class Match>
const Member* pick(const ClassInfo& cls, CallKind kind, Match match) {
  const Member* best = nullptr;
  int bestRank = 0;
  for (const auto& m : cls.members()) {
    if (!match(m) || !accepts(m, kind)) continue;
    int r = rank(m, kind);
    if (r > bestRank) {
      best = &m;
      bestRank = r;
    }
  }
  return best;
}

bool isWrite(const Member& m, CallKind kind) {
  return m.kind == MemberKind::Field && (kind == CallKind::Let || kind == CallKind::Set);
}

std::string sourceOf(const Object& target) {
  const ClassInfo* cls = target.classInfo();
  return cls ? cls->progId() : std::string(library::kName);
}

Variant call(Object& target, const Member& member, bool write, std::span<Argument> args) {
  std::vector<Param> fieldParam;
  std::span<const Param> params = member.params;
  if (write) {
    fieldParam.push_back(in("RHS", member.result));
    params = fieldParam;
  }
  // Arguments converted to the declared types; by-reference ones are written
  // back to the caller's variables whatever way the call ends.
  std::vector<Variant> values(params.size());
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

std::string_view callKindName(CallKind kind) {
  switch (kind) {
    case CallKind::Default: return "default";
    case CallKind::Method: return "method";
    case CallKind::Get: return "get";
    case CallKind::Let: return "let";
    case CallKind::Set: return "set";
  }
  return "";
}

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
  return pick(cls, kind, [&](const Member& m) { return sameName(m.name, name); });
}

const Member* findMember(const ClassInfo& cls, DispId id, CallKind kind) {
  return pick(cls, kind, [&](const Member& m) { return m.dispid == id; });
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

Variant invoke(Object& target, const Member& member, std::span<Argument> args) {
  return call(target, member, false, args);
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
