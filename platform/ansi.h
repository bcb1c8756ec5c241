// Text crossing to and from the system in its 8-bit code page: the ANSI code
// page on Windows, UTF-8 on Linux. Every conversion of platform text goes
// through these two functions.
#pragma once

#include <string>
#include <string_view>

#include "core/value_types.h"

namespace zs::platform {

std::string toAnsi(zs::StringView text);
zs::String fromAnsi(std::string_view text);

}  // namespace zs::platform
