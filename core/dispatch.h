// The dynamic layer: invoke a member of any library object by name or dispatch
// id, with by-value and by-reference arguments, the way an automation runtime
// does.
#pragma once

#include <span>
#include <string_view>

#include "core/class_info.h"

namespace zs {

// One argument as the caller passes it. A by-reference argument stands for the
// caller's variable: after the call (also when the call raised) `value` holds
// what the member left in it, converted to the parameter's declared type. An
// omitted argument is Variant::missing().
struct Argument {
  Variant value = Variant::missing();
  bool byRef = false;

  static Argument byValue(Variant v) { return Argument{std::move(v), false}; }
  static Argument byReference(Variant v) { return Argument{std::move(v), true}; }
  static Argument omitted() { return Argument{}; }
};

// Finds the member to call; null when the class has none of that name or id
// for that kind of call. Names compare without regard to case.
const Member* findMember(const ClassInfo& cls, std::string_view name, CallKind kind);
const Member* findMember(const ClassInfo& cls, DispId id, CallKind kind);

// Invokes a member. Raises 438 for an unknown member, 450 for too many
// arguments, 449 for an omitted required argument, and the conversion errors
// (13, 6, 94) for an argument that cannot take its declared type. An error
// whose source is empty leaves with the class's ProgID as source.
Variant invoke(Object& target, std::string_view name, CallKind kind, std::span<Argument> args);
Variant invoke(Object& target, DispId id, CallKind kind, std::span<Argument> args);
// The member found beforehand (findMember) with the kind it was found for.
Variant invoke(Object& target, const Member& member, CallKind kind, std::span<Argument> args);

// Converts a value to a declared type as argument passing does.
Variant coerce(const Variant& value, TypeRef type);
// The value an omitted optional parameter without a declared default takes.
Variant zeroValue(TypeRef type);

}  // namespace zs
