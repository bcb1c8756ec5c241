// Typed argument literals of the `zavrin call` command, and the text form in
// which the command prints values.
//
//   s:TEXT    String            (s: alone is the empty string)
//   i:N       Integer (16-bit)  l:N  Long (32-bit)
//   sg:X      Single            d:X  Double   (decimal point '.', exponent allowed)
//   c:X       Currency          (decimal text, at most four decimals)
//   b:true    Boolean           (true or false, any letter case)
//   empty  null  missing  nothing   Empty, Null, an omitted argument, no object
//   zvHKEY_CURRENT_USER             an enumeration constant by name (any letter
//                                   case): its value, a Long
//   anything else                   a String, taken as it stands
//
// Printed values are the kind name, a blank and the value: `Integer 5`,
// `String "1"` (JSON string syntax), `Currency 1.25`, `Boolean True`, `Empty`,
// `Null`, `Missing`, `Error -2147352571`, `Object ZSRegistryKeys`, `Nothing`.
#pragma once

#include <string>
#include <string_view>

#include <optional>
#include <span>

#include "cli/constants.h"
#include "core/dispatch.h"

namespace zs::cli {

// A literal as read, with what the checks against a member's parameters need.
struct Literal {
  Argument argument;
  std::optional<Constant> constant;  // it named an enumeration constant
  bool plainWord = false;            // untyped text that could be a name (not a number)
};
Literal readLiteral(std::string_view text);

// Checks literals against the parameters of the member they are passed to:
// a constant must belong to the enumeration of its parameter, and a plain word
// given for a parameter typed with an enumeration must name one of its
// constants. Raises 5 otherwise.
void checkLiterals(const Member& member, std::span<const Literal> literals);

// Reads one literal as the argument it stands for (`missing` is an omitted
// argument). Raises 5 for a malformed literal and 6 for a number out of range.
Argument parseLiteral(std::string_view text);

// The printed form of a value (see above).
std::string formatValue(const Variant& value);

// The value alone, as it stands in a signature's default: `2`, `"text"`, `True`.
std::string valueText(const Variant& value);

}  // namespace zs::cli
