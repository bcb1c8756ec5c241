// A window handle that arrives as a 32-bit Long, widened with its sign as the
// system widens handles.
#pragma once

#include <cstdint>

#include "core/value_types.h"
#include "platform/user32.h"

namespace zs {

inline platform::HWND windowHandle(Long value) {
  return static_cast<platform::HWND>(static_cast<std::intptr_t>(value));
}

}  // namespace zs
