// The values of HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion
// that ZSWindows and ZSSpecialFolders read, through one ZSRegistry created at
// the first read and kept for the owner's lifetime.
#pragma once

#include <memory>

#include "platform/libraries.h"
#include "registry/registry.h"

namespace zs::sysinfo {

inline constexpr char16_t kCurrentVersionKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion";

class CurrentVersionValues {
 public:
  explicit CurrentVersionValues(const platform::Libraries& libraries) : libraries_(libraries) {}

  // The value as text; "" when the key or the value is absent.
  String read(const char16_t* valueName);
  // The registry object, null until the first read.
  const Registry* registry() const { return registry_.get(); }

 private:
  platform::Libraries libraries_;
  std::shared_ptr<Registry> registry_;
};

}  // namespace zs::sysinfo
