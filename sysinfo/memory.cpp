#include "sysinfo/memory.h"

#include <limits>

namespace zs {

Long saturatedLong(platform::ULONGLONG value) {
  constexpr auto kMax = static_cast<platform::ULONGLONG>(std::numeric_limits<Long>::max());
  return static_cast<Long>(value > kMax ? kMax : value);
}

Long kilobytes(platform::ULONGLONG bytes) { return saturatedLong(bytes / 1024); }

Memory::Memory(const platform::Libraries& libraries) : api_(libraries.kernel32) {}

void Memory::Initialize() {
  api_->GetSystemInfo(&system_);
  status_ = {};
  status_.dwLength = sizeof status_;
  api_->GlobalMemoryStatus(&status_);
  sizes_ = {};
  sizes_.dwLength = sizeof sizes_;
  if (!api_->GlobalMemoryStatusEx(&sizes_)) {
    sizes_ = {sizeof sizes_,          status_.dwMemoryLoad,    status_.dwTotalPhys,
              status_.dwAvailPhys,    status_.dwTotalPageFile, status_.dwAvailPageFile,
              status_.dwTotalVirtual, status_.dwAvailVirtual,  0};
  }
}

Long Memory::AvailablePageFile() const { return saturatedLong(sizes_.ullAvailPageFile); }
Long Memory::AvailablePhysical() const { return kilobytes(sizes_.ullAvailPhys); }
Long Memory::AvailableVirtual() const { return saturatedLong(sizes_.ullAvailVirtual); }
Long Memory::Length() const { return saturatedLong(status_.dwLength); }
Long Memory::MemoryLoad() const { return saturatedLong(status_.dwMemoryLoad); }
Long Memory::TotalPageFile() const { return saturatedLong(sizes_.ullTotalPageFile); }
Long Memory::TotalPhysical() const { return kilobytes(sizes_.ullTotalPhys); }
Long Memory::TotalVirtual() const { return saturatedLong(sizes_.ullTotalVirtual); }
Long Memory::MaximumApplicationAddress() const {
  return saturatedLong(system_.lpMaximumApplicationAddress);
}
Long Memory::MinimumApplicationAddress() const {
  return saturatedLong(system_.lpMinimumApplicationAddress);
}
Long Memory::AllocationGranularity() const { return saturatedLong(system_.dwAllocationGranularity); }
Long Memory::PageSize() const { return saturatedLong(system_.dwPageSize); }

}  // namespace zs
