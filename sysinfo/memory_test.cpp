// ZSMemory over the in-memory kernel32: sizes at the 32-bit boundaries, the
// real sizes of the extended record, the snapshot taken at Initialize.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "platform/testing/fake_kernel32.h"
#include "sysinfo/memory.h"

namespace zs {
namespace {

using platform::testing::FakeKernel32;
using platform::ULONGLONG;

std::shared_ptr<Memory> over(const std::shared_ptr<FakeKernel32>& fake) {
  platform::Libraries libs;
  libs.kernel32 = fake;
  return create<Memory>(libs);
}

platform::MEMORYSTATUS everyField(platform::DWORD value) {
  return {0, 50, value, value, value, value, value, value};
}

TEST(Memory, ThirtyTwoBitFieldsNeverTurnNegative) {
  struct Case {
    platform::DWORD field;
    Long bytes, kilobytes;
  } cases[] = {
      {0, 0, 0},
      {1023, 1023, 0},
      {1024, 1024, 1},
      {0x7FFFFFFF, 2147483647, 2097151},
      {0x80000000, 2147483647, 2097152},
      {0xC0000000, 2147483647, 3145728},  // 3 GB
      {0xFFFFFFFF, 2147483647, 4194303},
  };
  for (const auto& c : cases) {
    auto fake = std::make_shared<FakeKernel32>();
    fake->setMemory(everyField(c.field));
    auto m = over(fake);
    EXPECT_EQ(m->TotalPhysical(), c.kilobytes) << c.field;
    EXPECT_EQ(m->AvailablePhysical(), c.kilobytes) << c.field;
    for (const Long bytes : {m->TotalPageFile(), m->AvailablePageFile(), m->TotalVirtual(),
                             m->AvailableVirtual()}) {
      EXPECT_EQ(bytes, c.bytes) << c.field;
    }
  }
}

TEST(Memory, RealSizesComeFromTheExtendedRecord) {
  struct Case {
    ULONGLONG bytes;
    Long bytesLong, kilobytes;
  } cases[] = {
      {1536ull << 20, 1610612736, 1572864},                  // 1.5 GB
      {16ull << 30, 2147483647, 16777216},                   // 16 GB: past the 32-bit field
      {(2147483647ull << 10) + 1023, 2147483647, 2147483647},  // the largest count of KB
      {2147483648ull << 10, 2147483647, 2147483647},         // 2 TB: saturates
  };
  for (const auto& c : cases) {
    auto fake = std::make_shared<FakeKernel32>();
    fake->setMemory(everyField(0xFFFFFFFF));
    fake->setMemoryEx({64, 40, c.bytes, c.bytes, c.bytes, c.bytes, c.bytes, c.bytes, 0});
    auto m = over(fake);
    EXPECT_EQ(m->TotalPhysical(), c.kilobytes) << c.bytes;
    EXPECT_EQ(m->AvailablePhysical(), c.kilobytes) << c.bytes;
    EXPECT_EQ(m->TotalPageFile(), c.bytesLong) << c.bytes;
    EXPECT_EQ(m->AvailableVirtual(), c.bytesLong) << c.bytes;
    EXPECT_EQ(m->MemoryLoad(), 50) << "the load of the 32-bit record";
    EXPECT_EQ(m->Length(), 32);
  }
}

TEST(Memory, LayoutSaturatesLikeTheSizes) {
  struct Case {
    ULONGLONG lowest, highest;
    Long minimum, maximum;
  } cases[] = {
      {0x10000, 0x7FFEFFFF, 65536, 0x7FFEFFFF},            // 32-bit Windows
      {0x10000, 0xBFFEFFFF, 65536, 2147483647},            // 3 GB user space
      {0x10000, 0x7FFFFFFEFFFF, 65536, 2147483647},        // 64-bit
  };
  for (const auto& c : cases) {
    auto fake = std::make_shared<FakeKernel32>();
    platform::SYSTEM_INFO info{};
    info.dwPageSize = 4096;
    info.dwAllocationGranularity = 65536;
    info.lpMinimumApplicationAddress = c.lowest;
    info.lpMaximumApplicationAddress = c.highest;
    fake->setSystemInfo(info);
    auto m = over(fake);
    EXPECT_EQ(m->MinimumApplicationAddress(), c.minimum);
    EXPECT_EQ(m->MaximumApplicationAddress(), c.maximum);
    EXPECT_EQ(m->PageSize(), 4096);
    EXPECT_EQ(m->AllocationGranularity(), 65536);
  }
}

TEST(Memory, FiguresAreTheSnapshotOfInitialize) {
  auto fake = std::make_shared<FakeKernel32>();
  fake->setMemory({0, 30, 1u << 30, 1u << 29, 0, 0, 0, 0});
  auto m = over(fake);
  fake->setMemory({0, 90, 1u << 31, 1u << 20, 0, 0, 0, 0});
  fake->setMemoryEx({64, 90, 1ull << 33, 1ull << 20, 0, 0, 0, 0, 0});
  EXPECT_EQ(m->MemoryLoad(), 30);
  EXPECT_EQ(m->MemoryLoad(), 30);
  EXPECT_EQ(m->TotalPhysical(), 1048576);
  EXPECT_EQ(m->AvailablePhysical(), 524288);
  EXPECT_EQ(fake->queries(), (std::vector<std::string>{"GetSystemInfo", "GlobalMemoryStatus",
                                                       "GlobalMemoryStatusEx"}));
  std::vector<Argument> none;
  const Variant total = invoke(*m, methodId(6), CallKind::Method, none);
  EXPECT_EQ(total.lng(), 1048576);
  EXPECT_EQ(invoke(*m, "AvailablePageFile", CallKind::Method, none).lng(), 0);
}

}  // namespace
}  // namespace zs
