// The memory figures of GlobalMemoryStatusEx and the layout of GetSystemInfo
// on Linux, from /proc (injectable) and the process's limits.
// docs/memory.md has the table.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel32.h"

namespace zs::platform::posix {

// The "Name:   123 kB" lines of /proc/meminfo or /proc/self/status, in bytes
// (lines without the kB unit are taken as they stand).
std::map<std::string, ULONGLONG> parseKilobyteTable(std::string_view text);

// Available physical memory: MemAvailable, or on kernels before 3.14, which
// lack it, MemFree + Buffers + Cached + SReclaimable, never above MemTotal.
ULONGLONG availablePhysical(const std::map<std::string, ULONGLONG>& meminfo);

// The size of the user address space of this architecture (128 TB on x86-64).
ULONGLONG userAddressSpace();

// The figures from the proc tree under `procRoot`; nullopt when its meminfo
// is unreadable or has no MemTotal. `addressSpaceLimit` is RLIMIT_AS
// (nullopt: unlimited).
std::optional<MEMORYSTATUSEX> memoryStatus(const std::string& procRoot,
                                           std::optional<ULONGLONG> addressSpaceLimit);

// The process's RLIMIT_AS; nullopt when it is unlimited.
std::optional<ULONGLONG> addressSpaceLimit();

// The layout record: page size, the lowest address (mmap_min_addr under
// `procRoot`, at least one page), the highest (one page below the top of the
// user address space), the online processors.
SYSTEM_INFO systemInfo(const std::string& procRoot);

}  // namespace zs::platform::posix
