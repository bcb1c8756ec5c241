// A handle (window or device context) that arrives as a 32-bit Long, widened
// with its sign as the system widens handles.
#pragma once

#include <cstdint>

#include "core/value_types.h"
#include "platform/user32.h"

namespace zs {

inline std::uintptr_t widenedHandle(Long value) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value));
}

inline platform::HWND windowHandle(Long value) { return widenedHandle(value); }

}  // namespace zs
