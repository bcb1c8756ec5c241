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
  platform::MEMORYSTATUSEX extended{};
  extended.dwLength = sizeof extended;
  if (api_->GlobalMemoryStatusEx(&extended)) {
    extended_ = extended;
  } else {
    extended_.reset();
  }
}

platform::ULONGLONG Memory::totalPhys() const {
  return extended_ ? extended_->ullTotalPhys : status_.dwTotalPhys;
}
platform::ULONGLONG Memory::availPhys() const {
  return extended_ ? extended_->ullAvailPhys : status_.dwAvailPhys;
}
platform::ULONGLONG Memory::totalPageFile() const {
  return extended_ ? extended_->ullTotalPageFile : status_.dwTotalPageFile;
}
platform::ULONGLONG Memory::availPageFile() const {
  return extended_ ? extended_->ullAvailPageFile : status_.dwAvailPageFile;
}
platform::ULONGLONG Memory::totalVirtual() const {
  return extended_ ? extended_->ullTotalVirtual : status_.dwTotalVirtual;
}
platform::ULONGLONG Memory::availVirtual() const {
  return extended_ ? extended_->ullAvailVirtual : status_.dwAvailVirtual;
}

Long Memory::AvailablePageFile() const { return saturatedLong(availPageFile()); }
Long Memory::AvailablePhysical() const { return kilobytes(availPhys()); }
Long Memory::AvailableVirtual() const { return saturatedLong(availVirtual()); }
Long Memory::Length() const { return saturatedLong(status_.dwLength); }
Long Memory::MemoryLoad() const { return saturatedLong(status_.dwMemoryLoad); }
Long Memory::TotalPageFile() const { return saturatedLong(totalPageFile()); }
Long Memory::TotalPhysical() const { return kilobytes(totalPhys()); }
Long Memory::TotalVirtual() const { return saturatedLong(totalVirtual()); }
Long Memory::MaximumApplicationAddress() const {
  return saturatedLong(system_.lpMaximumApplicationAddress);
}
Long Memory::MinimumApplicationAddress() const {
  return saturatedLong(system_.lpMinimumApplicationAddress);
}
Long Memory::AllocationGranularity() const { return saturatedLong(system_.dwAllocationGranularity); }
Long Memory::PageSize() const { return saturatedLong(system_.dwPageSize); }

}  // namespace zs
