// Reading the small text files of /etc and /proc whole, up to a bound.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zs::platform::posix {

// The first `limit` bytes of the file; nullopt when it cannot be opened.
std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit);

}  // namespace zs::platform::posix
