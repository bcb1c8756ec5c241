// The buffer rule of the Win32 name calls (GetUserNameA, GetComputerNameA):
// the name and its NUL when they fit in *size bytes, else nothing written,
// `tooSmall` as the last error and *size the size needed, NUL included.
#pragma once

#include <cstring>
#include <limits>
#include <string_view>

#include "platform/last_error.h"
#include "platform/types.h"

namespace zs::platform::posix {

// `countNul`: whether *size reports the NUL on success (GetUserNameA does,
// GetComputerNameA does not).
inline BOOL answerName(std::string_view name, char* buffer, DWORD* size, DWORD tooSmall,
                       bool countNul) {
  if (size == nullptr || name.size() >= std::numeric_limits<DWORD>::max()) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  const auto needed = static_cast<DWORD>(name.size() + 1);
  if (buffer == nullptr || *size < needed) {
    *size = needed;
    SetLastError(tooSmall);
    return 0;
  }
  std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  *size = countNul ? needed : needed - 1;
  return 1;
}

}  // namespace zs::platform::posix
