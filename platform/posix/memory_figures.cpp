#include "platform/posix/memory_figures.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>

#include "platform/posix/small_file.h"

namespace zs::platform::posix {
namespace {

// The proc files read here are a few kilobytes; more than this is not read.
constexpr std::size_t kProcFileLimit = 256 * 1024;

std::optional<std::string> readProcFile(const std::string& path) {
  return readSmallFile(path, kProcFileLimit);
}

ULONGLONG saturatingAdd(ULONGLONG a, ULONGLONG b) {
  ULONGLONG sum = 0;
  return __builtin_add_overflow(a, b, &sum) ? ~ULONGLONG{0} : sum;
}

ULONGLONG entry(const std::map<std::string, ULONGLONG>& table, const char* name) {
  const auto found = table.find(name);
  return found == table.end() ? 0 : found->second;
}

DWORD pageSize() {
  const long size = sysconf(_SC_PAGESIZE);
  return size > 0 ? static_cast<DWORD>(size) : 4096;
}

// PROCESSOR_ARCHITECTURE_* and PROCESSOR_* codes of the build's architecture.
constexpr WORD kArchitecture =
#if defined(__x86_64__)
    9;  // AMD64
#elif defined(__aarch64__)
    12;  // ARM64
#elif defined(__i386__)
    0;  // INTEL
#elif defined(__arm__)
    5;  // ARM
#else
    0xFFFF;  // unknown
#endif
constexpr DWORD kProcessorType =
#if defined(__x86_64__)
    8664;
#elif defined(__i386__)
    586;
#else
    0;
#endif

}  // namespace

std::map<std::string, ULONGLONG> parseKilobyteTable(std::string_view text) {
  std::map<std::string, ULONGLONG> table;
  std::size_t at = 0;
  while (at < text.size()) {
    auto end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    std::string_view rest = line.substr(colon + 1);
    const auto digits = rest.find_first_not_of(" \t");
    if (digits == std::string_view::npos) continue;
    rest = rest.substr(digits);
    ULONGLONG value = 0;
    const auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc()) continue;
    const std::string_view unit(next, static_cast<std::size_t>(rest.data() + rest.size() - next));
    if (unit.find("kB") != std::string_view::npos) {
      value = value > (~ULONGLONG{0} >> 10) ? ~ULONGLONG{0} : value * 1024;
    }
    table.emplace(std::string(line.substr(0, colon)), value);
  }
  return table;
}

ULONGLONG availablePhysical(const std::map<std::string, ULONGLONG>& meminfo) {
  const ULONGLONG total = entry(meminfo, "MemTotal");
  if (meminfo.count("MemAvailable")) return std::min(entry(meminfo, "MemAvailable"), total);
  ULONGLONG estimate = entry(meminfo, "MemFree");
  for (const char* name : {"Buffers", "Cached", "SReclaimable"}) {
    estimate = saturatingAdd(estimate, entry(meminfo, name));
  }
  return std::min(estimate, total);
}

ULONGLONG userAddressSpace() {
#if defined(__x86_64__)
  return ULONGLONG{1} << 47;
#elif defined(__aarch64__)
  return ULONGLONG{1} << 48;
#elif defined(__i386__) || defined(__arm__)
  return 0xC0000000ull;
#else
  return ULONGLONG{1} << 47;
#endif
}

std::optional<ULONGLONG> addressSpaceLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
  return static_cast<ULONGLONG>(limit.rlim_cur);
}

std::optional<MEMORYSTATUSEX> memoryStatus(const std::string& procRoot,
                                           std::optional<ULONGLONG> limit) {
  const auto meminfoText = readProcFile(procRoot + "/meminfo");
  if (!meminfoText) return std::nullopt;
  const auto meminfo = parseKilobyteTable(*meminfoText);
  const ULONGLONG total = entry(meminfo, "MemTotal");
  if (total == 0) return std::nullopt;

  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  status.ullTotalPhys = total;
  status.ullAvailPhys = availablePhysical(meminfo);
  // Memory in use, in percent, rounded to the nearest.
  const ULONGLONG used = total - status.ullAvailPhys;
  status.dwMemoryLoad = static_cast<DWORD>(
      (static_cast<unsigned __int128>(used) * 100 + total / 2) / total);
  // What can be committed: physical memory and swap together.
  status.ullTotalPageFile = saturatingAdd(total, entry(meminfo, "SwapTotal"));
  status.ullAvailPageFile = saturatingAdd(status.ullAvailPhys, entry(meminfo, "SwapFree"));
  // The address space: the architecture's, or less under an address-space
  // limit; available is what the process has not mapped yet (VmSize).
  status.ullTotalVirtual = std::min(userAddressSpace(), limit.value_or(~ULONGLONG{0}));
  ULONGLONG mapped = 0;
  if (const auto processStatus = readProcFile(procRoot + "/self/status")) {
    mapped = entry(parseKilobyteTable(*processStatus), "VmSize");
  }
  status.ullAvailVirtual = status.ullTotalVirtual > mapped ? status.ullTotalVirtual - mapped : 0;
  status.ullAvailExtendedVirtual = 0;
  return status;
}

SYSTEM_INFO systemInfo(const std::string& procRoot) {
  SYSTEM_INFO info{};
  info.wProcessorArchitecture = kArchitecture;
  info.dwPageSize = pageSize();
  // mmap has no coarser granularity than the page.
  info.dwAllocationGranularity = info.dwPageSize;
  ULONGLONG lowest = info.dwPageSize;
  if (const auto text = readProcFile(procRoot + "/sys/vm/mmap_min_addr")) {
    ULONGLONG value = 0;
    const auto [next, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error == std::errc() && next != text->data()) lowest = std::max(lowest, value);
  }
  info.lpMinimumApplicationAddress = lowest;
  info.lpMaximumApplicationAddress = userAddressSpace() - info.dwPageSize - 1;
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  info.dwNumberOfProcessors = online > 0 ? static_cast<DWORD>(online) : 1;
  info.dwActiveProcessorMask = info.dwNumberOfProcessors >= 64
                                   ? ~ULONGLONG{0}
                                   : (ULONGLONG{1} << info.dwNumberOfProcessors) - 1;
  info.dwProcessorType = kProcessorType;
  return info;
}

}  // namespace zs::platform::posix
