// JSON string syntax for text leaving the command line and the automation host.
#pragma once

#include <string>
#include <string_view>

#include "core/value_types.h"

namespace zs::cli {

// Appends `text` as a JSON string literal (with its quotes): characters are
// written as UTF-8, quotes, backslashes and control characters escaped, and a
// lone surrogate code unit (which UTF-8 cannot carry) as its \uXXXX escape.
void appendJsonString(std::string& out, StringView text);

// The same for UTF-8 text from the C++ side (names, descriptions); a malformed
// byte sequence is written as U+FFFD.
void appendJsonString(std::string& out, std::string_view utf8);

std::string jsonString(StringView text);
std::string jsonString(std::string_view utf8);

}  // namespace zs::cli
