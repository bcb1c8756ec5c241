// ZSMemory: the machine's memory figures and the memory layout, read once at
// Initialize. Every member answers from that snapshot as a Long; sizes come
// from the 64-bit figures when the system gives them and saturate at
// 2147483647, so a figure of 2 GB or more never turns negative.
#pragma once

#include <memory>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/kernel32.h"
#include "platform/libraries.h"

namespace zs {

class Memory : public Control {
 public:
  explicit Memory(const platform::Libraries& libraries = platform::systemLibraries());

  // GetSystemInfo, GlobalMemoryStatus, then GlobalMemoryStatusEx for the real sizes.
  void Initialize() override;

  Long AvailablePageFile() const;    // bytes
  Long AvailablePhysical() const;    // kilobytes
  Long AvailableVirtual() const;     // bytes
  Long Length() const;               // the status record's length, 32
  Long MemoryLoad() const;           // percent
  Long TotalPageFile() const;        // bytes
  Long TotalPhysical() const;        // kilobytes
  Long TotalVirtual() const;         // bytes
  Long MaximumApplicationAddress() const;
  Long MinimumApplicationAddress() const;
  Long AllocationGranularity() const;
  Long PageSize() const;

  const ClassInfo* classInfo() const override;

 private:
  std::shared_ptr<platform::Kernel32> api_;
  platform::SYSTEM_INFO system_{};
  platform::MEMORYSTATUS status_{};
  // The figures at their real size: the extended record's when the system
  // gave one, else the 32-bit fields read as unsigned.
  platform::MEMORYSTATUSEX sizes_{};
};

// A size as a Long: saturates at 2147483647 instead of wrapping.
Long saturatedLong(platform::ULONGLONG value);

// Bytes as whole kilobytes (truncated), saturated the same way.
Long kilobytes(platform::ULONGLONG bytes);

}  // namespace zs
