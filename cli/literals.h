// Typed argument literals of the `zavrin call` command, and the text form in
// which the command prints values.
//
//   s:TEXT    String            (s: alone is the empty string)
//   i:N       Integer (16-bit)  l:N  Long (32-bit)
//   sg:X      Single            d:X  Double   (decimal point '.', exponent allowed)
//   c:X       Currency          (decimal text, at most four decimals)
//   b:true    Boolean           (true or false, any letter case)
//   empty  null  missing  nothing   Empty, Null, an omitted argument, no object
//   anything else                   a String, taken as it stands
//
// Printed values are the kind name, a blank and the value: `Integer 5`,
// `String "1"` (JSON string syntax), `Currency 1.25`, `Boolean True`, `Empty`,
// `Null`, `Missing`, `Error -2147352571`, `Object ZSRegistryKeys`, `Nothing`.
#pragma once

#include <string>
#include <string_view>

#include "core/dispatch.h"

namespace zs::cli {

// Reads one literal as the argument it stands for (`missing` is an omitted
// argument). Raises 5 for a malformed literal and 6 for a number out of range.
Argument parseLiteral(std::string_view text);

// The printed form of a value (see above).
std::string formatValue(const Variant& value);

// The value alone, as it stands in a signature's default: `2`, `"text"`, `True`.
std::string valueText(const Variant& value);

}  // namespace zs::cli
