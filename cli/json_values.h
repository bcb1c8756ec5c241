// Variants as JSON values of the automation host protocol:
//
//   {"type":"Empty"}  {"type":"Null"}
//   {"type":"Integer"|"Long"|"Single"|"Double","value":number}
//   {"type":"Currency","value":"1234.5678"}     decimal text, '.' separator
//   {"type":"String","value":"..."}  {"type":"Boolean","value":true}
//   {"type":"Error","value":-2147352572}
//   {"type":"Object","class":"ZSRegistryKeys","handle":7}  {"type":"Object","handle":null}
//
// Numbers are written in the shortest text that reads back to the same value;
// a Single or Double that is not finite is written as the string "NaN",
// "Infinity" or "-Infinity" (and read back from it).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "cli/handle_table.h"
#include "core/variant.h"

namespace zs::cli {

// Appends `value` as a JSON value object; an object gets its handle in `handles`.
void appendValue(std::string& out, const Variant& value, HandleTable& handles);
std::string valueJson(const Variant& value, HandleTable& handles);

// Reads a JSON value object. Raises 5 for a malformed value, 6 for a number
// outside its type's range and 424 for a handle the table does not hold.
Variant readValue(const nlohmann::json& json, const HandleTable& handles);

}  // namespace zs::cli
