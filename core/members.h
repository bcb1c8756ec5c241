// Member tables: what the dynamic layer knows of each member of a class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <vector>

#include "core/variant.h"

namespace zs {

using DispId = std::int32_t;

// Dispatch id ranges: methods 0x6003nnnn, properties 0x6803nnnn (get, let and
// set share one id), public fields of item classes 0x4003nnnn.
constexpr DispId methodId(int n) { return static_cast<DispId>(0x60030000u + static_cast<unsigned>(n)); }
constexpr DispId propertyId(int n) { return static_cast<DispId>(0x68030000u + static_cast<unsigned>(n)); }
constexpr DispId fieldId(int n) { return static_cast<DispId>(0x40030000u + static_cast<unsigned>(n)); }
inline constexpr DispId kDefaultMemberId = 0;
inline constexpr DispId kNewEnumId = -4;

// A dispatch id as type libraries write it: 0x60030002, 0xFFFFFFFC.
std::string dispidHex(DispId id);

// Declared types of parameters, results and fields.
enum class Type : std::uint8_t {
  Void,     // no result
  Integer,
  Long,
  Single,
  Double,
  Currency,
  String,
  Boolean,
  Variant,
  Object,   // IDispatch; `name` may name the class (ZSRegistryKey)
  Unknown,  // IUnknown (the enumerator of a collection)
  Picture,  // the picture interface
  Color,    // OLE_COLOR, carried as a Long holding the 32-bit pattern
  Enum,     // a Long whose values `name` lists (ZSNumbersConstants)
};

struct TypeRef {
  Type type = Type::Void;
  std::string_view name = {};
  constexpr bool operator==(const TypeRef&) const = default;
};

namespace t {
inline constexpr TypeRef Void{Type::Void};
inline constexpr TypeRef Integer{Type::Integer};
inline constexpr TypeRef Long{Type::Long};
inline constexpr TypeRef Single{Type::Single};
inline constexpr TypeRef Double{Type::Double};
inline constexpr TypeRef Currency{Type::Currency};
inline constexpr TypeRef String{Type::String};
inline constexpr TypeRef Boolean{Type::Boolean};
inline constexpr TypeRef Variant{Type::Variant};
inline constexpr TypeRef Object{Type::Object};
inline constexpr TypeRef Unknown{Type::Unknown};
inline constexpr TypeRef Picture{Type::Picture};
inline constexpr TypeRef Color{Type::Color};
constexpr TypeRef enumOf(std::string_view name) { return TypeRef{Type::Enum, name}; }
constexpr TypeRef objectOf(std::string_view className) { return TypeRef{Type::Object, className}; }
}  // namespace t

// The name of a declared type as the type library spells it.
std::string_view typeName(TypeRef type);

struct Param {
  std::string_view name;
  TypeRef type;
  bool byRef = false;
  bool optional = false;
  std::optional<Variant> defaultValue = std::nullopt;  // the declared default, if any
};

enum class MemberKind : std::uint8_t { Method, Get, Let, Set, Field };
std::string_view memberKindName(MemberKind kind);

class Object;

// Calls a member on `self` with arguments already coerced to the declared
// parameter types (by-reference parameters may be written through the span).
using Invoker = Variant (*)(Object& self, std::span<Variant> args);

struct Member {
  std::string_view name;
  DispId dispid;
  MemberKind kind;
  std::vector<Param> params;  // a Let or Set member takes the new value as its last parameter
  TypeRef result = t::Void;  // for a Field: the field's type
  Invoker invoke = nullptr;      // method, get, let, set; for a Field: the read
  Invoker assign = nullptr;      // for a Field only: the write (one argument, the new value)
  bool hidden = false;           // hidden from browsers (NewEnum)
};

// Shorthand for tables: by-value, by-reference and optional parameters.
inline Param in(std::string_view name, TypeRef type) { return Param{name, type, false, false}; }
inline Param ref(std::string_view name, TypeRef type) { return Param{name, type, true, false}; }
inline Param optionalRef(std::string_view name, TypeRef type,
                         std::optional<Variant> defaultValue = std::nullopt) {
  return Param{name, type, true, true, std::move(defaultValue)};
}
inline Param optionalIn(std::string_view name, TypeRef type,
                        std::optional<Variant> defaultValue = std::nullopt) {
  return Param{name, type, false, true, std::move(defaultValue)};
}

}  // namespace zs
