// The registry key a method opened or created, closed when the method leaves
// by any path. A root key given back by the platform (creating an empty path
// below a predefined root) is never closed, nor is a handle left at 0 by a
// failed opening.
#pragma once

#include "platform/advapi32.h"

namespace zs::registry {

class OpenedKey {
 public:
  OpenedKey(platform::Advapi32& api, platform::HKEY root) : api_(api), root_(root) {}
  ~OpenedKey() {
    if (handle_ != 0 && handle_ != root_) api_.RegCloseKey(handle_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  // Where the platform stores the new handle.
  platform::HKEY* out() { return &handle_; }
  platform::HKEY get() const { return handle_; }

 private:
  platform::Advapi32& api_;
  platform::HKEY root_;
  platform::HKEY handle_ = 0;
};

}  // namespace zs::registry
