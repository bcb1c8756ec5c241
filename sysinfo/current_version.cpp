#include "sysinfo/current_version.h"

#include "core/variant_ops.h"

namespace zs::sysinfo {

String CurrentVersionValues::read(const char16_t* valueName) {
  if (!registry_) registry_ = create<Registry>(libraries_);
  return toText(registry_->ReadValue(zvHKEY_LOCAL_MACHINE, kCurrentVersionKey, valueName));
}

}  // namespace zs::sysinfo
