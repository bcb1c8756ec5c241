// The os-release file (/etc/os-release, else /usr/lib/os-release): shell-like
// KEY=VALUE lines, values optionally quoted.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zs::platform::posix {

// Keys and unquoted values; comments, blank and malformed lines are skipped.
// Double-quoted values take \" \\ \$ \` escapes; single-quoted ones are literal.
std::map<std::string, std::string> parseOsRelease(std::string_view text);

// The first of `files` that can be read (at most 64 KiB of it), parsed; empty
// when none can.
std::map<std::string, std::string> readOsRelease(const std::vector<std::string>& files);

}  // namespace zs::platform::posix
