// The Linux memory figures over fixture proc trees: MemAvailable and the
// older kernels' estimate, swap for the page file, the address-space limit
// and VmSize for virtual memory, mmap_min_addr, and the 32-bit record capped.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/kernel32_posix.h"
#include "platform/posix/memory_figures.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

using testsupport::writeFile;

constexpr ULONGLONG kKB = 1024, kGB = 1024 * 1024 * 1024;

struct ProcTree {
  testsupport::TempFolder tmp;
  std::string proc() const { return tmp.path() + "/proc"; }
  posix::Kernel32Posix api(std::optional<ULONGLONG> limit = std::nullopt) const {
    posix::SystemRoots roots;
    roots.proc = proc();
    roots.addressSpaceLimit = [limit] { return limit; };
    return posix::Kernel32Posix(roots);
  }
};

TEST(MemoryPosix, FiguresFromMeminfo) {
  const struct {
    const char* name;
    std::string meminfo;
    ULONGLONG avail;
    DWORD load;
  } cases[] = {
      {"MemAvailable", "MemTotal: 8388608 kB\nMemFree: 1000 kB\nMemAvailable: 6291456 kB\n",
       6 * kGB, 25},
      {"older kernel: free + buffers + cached + reclaimable",
       "MemTotal: 8388608 kB\nMemFree: 1048576 kB\nBuffers: 1048576 kB\nCached: 2097152 kB\n"
       "SReclaimable: 1048576 kB\n",
       5 * kGB, 38},
      {"the estimate never passes the total",
       "MemTotal: 1048576 kB\nMemFree: 1048576 kB\nCached: 1048576 kB\n", kGB, 0},
      {"everything in use", "MemTotal: 1048576 kB\nMemAvailable: 0 kB\n", 0, 100},
  };
  for (const auto& c : cases) {
    ProcTree tree;
    writeFile(tree.proc() + "/meminfo", c.meminfo + "SwapTotal: 2097152 kB\nSwapFree: 1048576 kB\n");
    auto api = tree.api();
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(api.GlobalMemoryStatusEx(&status)) << c.name;
    EXPECT_EQ(status.ullAvailPhys, c.avail) << c.name;
    EXPECT_EQ(status.dwMemoryLoad, c.load) << c.name;
    EXPECT_EQ(status.ullTotalPageFile, status.ullTotalPhys + 2 * kGB) << c.name;
    EXPECT_EQ(status.ullAvailPageFile, c.avail + kGB) << c.name;
  }
}

TEST(MemoryPosix, VirtualMemoryIsTheAddressSpaceLessWhatIsMapped) {
  ProcTree tree;
  writeFile(tree.proc() + "/meminfo", "MemTotal: 16777216 kB\nMemAvailable: 8388608 kB\n");
  writeFile(tree.proc() + "/self/status", "Name:\tzavrin\nVmPeak:\t  900000 kB\nVmSize:\t  524288 kB\n");
  const struct {
    std::optional<ULONGLONG> limit;
    ULONGLONG total;
  } cases[] = {
      {std::nullopt, posix::userAddressSpace()},
      {2 * kGB, 2 * kGB},
      {256 * kKB, 256 * kKB},  // below what is mapped: nothing available
  };
  for (const auto& c : cases) {
    auto api = tree.api(c.limit);
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(api.GlobalMemoryStatusEx(&status));
    EXPECT_EQ(status.ullTotalVirtual, c.total);
    EXPECT_EQ(status.ullAvailVirtual, c.total > 512 * 1024 * kKB ? c.total - 512 * 1024 * kKB : 0);
  }
}

TEST(MemoryPosix, TheThirtyTwoBitRecordIsCapped) {
  ProcTree tree;
  writeFile(tree.proc() + "/meminfo",
        "MemTotal: 16777216 kB\nMemAvailable: 2097151 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
  auto api = tree.api(3 * kGB);
  MEMORYSTATUS status{};
  api.GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, 32u);
  EXPECT_EQ(status.dwTotalPhys, 0xFFFFFFFFu) << "16 GB";
  EXPECT_EQ(status.dwAvailPhys, 2097151u * 1024) << "just under 2 GB";
  EXPECT_EQ(status.dwTotalVirtual, 3 * kGB);
  EXPECT_EQ(status.dwMemoryLoad, 88u);
}

TEST(MemoryPosix, UnreadableMeminfo) {
  for (const char* meminfo : {static_cast<const char*>(nullptr), "", "MemFree: 100 kB\n",
                              "MemTotal: lots\n"}) {
    ProcTree tree;
    if (meminfo) writeFile(tree.proc() + "/meminfo", meminfo);
    auto api = tree.api();
    MEMORYSTATUSEX extended{};
    extended.dwLength = sizeof extended;
    EXPECT_FALSE(api.GlobalMemoryStatusEx(&extended)) << (meminfo ? meminfo : "(missing)");
    MEMORYSTATUS status{};
    api.GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwTotalPhys, 0u) << "a zeroed record, no failure";
    EXPECT_EQ(status.dwLength, 32u);
  }
  ProcTree tree;
  writeFile(tree.proc() + "/meminfo", "MemTotal: 1024 kB\n");
  MEMORYSTATUSEX wrongSize{};
  wrongSize.dwLength = 32;
  EXPECT_FALSE(tree.api().GlobalMemoryStatusEx(&wrongSize));
}

TEST(MemoryPosix, SystemInfoLayout) {
  const struct {
    const char* mmapMinAddr;  // null: the file is missing
    ULONGLONG lowest;
  } cases[] = {{"65536\n", 65536}, {"0\n", 0}, {nullptr, 0}, {"junk", 0}};
  for (const auto& c : cases) {
    ProcTree tree;
    if (c.mmapMinAddr) writeFile(tree.proc() + "/sys/vm/mmap_min_addr", c.mmapMinAddr);
    auto api = tree.api();
    SYSTEM_INFO info{};
    api.GetSystemInfo(&info);
    ASSERT_GT(info.dwPageSize, 0u);
    EXPECT_EQ(info.dwPageSize & (info.dwPageSize - 1), 0u) << "a power of two";
    EXPECT_EQ(info.dwAllocationGranularity, info.dwPageSize);
    EXPECT_EQ(info.lpMinimumApplicationAddress, std::max<ULONGLONG>(c.lowest, info.dwPageSize))
        << (c.mmapMinAddr ? c.mmapMinAddr : "(missing)");
    EXPECT_EQ(info.lpMaximumApplicationAddress, posix::userAddressSpace() - info.dwPageSize - 1);
    EXPECT_GE(info.dwNumberOfProcessors, 1u);
  }
}

TEST(MemoryPosix, KilobyteTable) {
  const auto table = posix::parseKilobyteTable(
      "MemTotal:       16384 kB\nHugePages_Total:       3\nbroken line\n:5 kB\nVmSize:\t 1 kB\n"
      "Huge: 99999999999999999999 kB\nBig: 18014398509481984 kB\n");
  EXPECT_EQ(table.at("MemTotal"), 16384 * kKB);
  EXPECT_EQ(table.at("HugePages_Total"), 3u) << "no unit: taken as it stands";
  EXPECT_EQ(table.at("VmSize"), kKB);
  EXPECT_EQ(table.count("Huge"), 0u) << "a number past 64 bits is skipped";
  EXPECT_EQ(table.at("Big"), ~ULONGLONG{0}) << "kilobytes past 64 bits of bytes saturate";
  EXPECT_EQ(table.size(), 4u);
}

}  // namespace
}  // namespace zs::platform
