// Views (object_view.h) as the command prints them, as text and as JSON.
//
// Text: the value as formatValue prints it, a collection's Count after it,
// then one line per property (`Name: value`) and per item
// (`position (key "k"): value`), indented two blanks a level; a cut says why:
//
//   Object ZSRegistryKeys, Count 2
//     1: Object ZSRegistryKey
//       KeyNames: String "Demo"
//     2 (key "x"): Object ZSRegistryKey
//       KeyNames: String "Other"
//
// JSON: the host protocol's value encoding for values that are not objects;
// an object is {"type":"Object","class":"ZSRegistryKeys"} with "count",
// "properties" (an object, in member order), "items" (an array of
// {"position","key","value"}) and "cut" when it applies; no object is
// {"type":"Object","handle":null}; a value that could not be read is
// {"error":{"number","description","source"}}.
#pragma once

#include <string>

#include "cli/object_view.h"

namespace zs::cli {

// The view as text lines; the first line carries no indent (the caller writes
// what goes before it), the following ones `indent` blanks and more. No line
// end after the last line.
std::string viewText(const View& view, int indent = 0);

void appendViewJson(std::string& out, const View& view);

// An error as the JSON the host answers with: {"number","description","source"}.
void appendErrorJson(std::string& out, const Error& error);

}  // namespace zs::cli
