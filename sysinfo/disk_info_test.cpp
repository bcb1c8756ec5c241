// ZSDiskInfo over the in-memory kernel32: the drive-name rule, sizes and their
// limits, types, volume text, serial formatting and the drive list.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/testing/fake_kernel32.h"
#include "sysinfo/disk_info.h"

namespace zs {
namespace {

using platform::testing::FakeKernel32;
using Drive = FakeKernel32::Drive;

constexpr std::uint64_t kMaxBytes = 922337203685477;

class DiskInfoFake : public ::testing::Test {
 protected:
  void SetUp() override {
    fake->addDrive({"C:\\", platform::kDriveFixed, 1000, 400, 300, "SYSTEM", "NTFS", 0x1A2B3C4D});
    fake->addDrive({"D:\\", platform::kDriveCdrom, 700, 0, 0, "DISC", "CDFS", 0x0A1B2C3D});
    platform::Libraries libs;
    libs.kernel32 = fake;
    disk = create<DiskInfo>(libs);
  }
  std::shared_ptr<FakeKernel32> fake = std::make_shared<FakeKernel32>();
  std::shared_ptr<DiskInfo> disk;
};

Long currencyUnits(Currency c) { return static_cast<Long>(c.scaled / Currency::kScale); }

TEST_F(DiskInfoFake, DriveNameRuleFillsTheCallersEmptyVariable) {
  disk->DriveName(u"C:\\");
  String overriding;
  EXPECT_EQ(currencyUnits(disk->TotalSpace(overriding)), 1000);
  EXPECT_EQ(overriding, u"C:\\") << "the caller's variable holds DriveName";
  String other = u"D:\\";
  EXPECT_EQ(currencyUnits(disk->TotalSpace(other)), 700);
  EXPECT_EQ(disk->DriveName(), u"C:\\");
  EXPECT_EQ(fake->calls().back(), "GetDiskFreeSpaceExA(D:\\)");
}

TEST_F(DiskInfoFake, BothNamesEmptyGiveNeutralResultsWithoutThePlatform) {
  String e;
  EXPECT_EQ(disk->TotalSpace(e), Currency{});
  EXPECT_EQ(disk->FreeSpace(e), Currency{});
  EXPECT_EQ(disk->TotalSpaceUsed(e), Currency{});
  EXPECT_EQ(disk->DriveType(e), 0);
  EXPECT_EQ(disk->VolumeName(e), u"");
  EXPECT_EQ(disk->FileSystemName(e), u"");
  EXPECT_EQ(disk->SerialNumber(e), u"");
  const std::vector<std::function<Boolean(String&)>> tests = {
      [&](String& d) { return disk->IsRemovable(d); }, [&](String& d) { return disk->IsFixed(d); },
      [&](String& d) { return disk->IsRemote(d); },    [&](String& d) { return disk->IsCDROM(d); },
      [&](String& d) { return disk->IsRamDisk(d); },   [&](String& d) { return disk->IsFAT16(d); },
      [&](String& d) { return disk->IsFAT32(d); },     [&](String& d) { return disk->IsNTFS(d); }};
  for (const auto& test : tests) EXPECT_FALSE(test(e));
  EXPECT_TRUE(fake->calls().empty());
}

TEST_F(DiskInfoFake, SizesUsedSpaceAndTheirLimits) {
  struct Case {
    std::uint64_t total, free;
    std::int64_t used;  // -1: overflow
  } cases[] = {
      {1000, 400, 600},
      {400, 1000, 0},  // a quota smaller than the volume's free space
      {kMaxBytes, 0, static_cast<std::int64_t>(kMaxBytes)},
      {~0ull, 0, -1},
      {~0ull, ~0ull - 5, 5},  // huge counts whose difference fits
  };
  for (const auto& c : cases) {
    auto api = std::make_shared<FakeKernel32>();
    api->addDrive({"X:\\", platform::kDriveFixed, c.total, c.free, c.free, "", "", 0});
    platform::Libraries libs;
    libs.kernel32 = api;
    auto d = create<DiskInfo>(libs);
    String x = u"X:\\";
    if (c.used < 0) {
      EXPECT_THROW(
          try { d->TotalSpaceUsed(x); } catch (const Error& e) {
            EXPECT_EQ(e.number(), 6);
            throw;
          },
          Error);
    } else {
      EXPECT_EQ(d->TotalSpaceUsed(x).scaled, c.used * Currency::kScale) << c.total << " " << c.free;
    }
  }
  String c = u"C:\\";
  EXPECT_EQ(currencyUnits(disk->FreeSpace(c)), 400) << "the volume's free space, not the caller's";
  String missing = u"Q:\\";
  EXPECT_EQ(disk->TotalSpace(missing), Currency{});
}

TEST_F(DiskInfoFake, SizeAboveTheCurrencyRangeIsOverflow) {
  fake->addDrive({"E:\\", platform::kDriveFixed, kMaxBytes + 1, 0, 0, "", "", 0});
  String e = u"E:\\";
  try {
    disk->TotalSpace(e);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), 6);
  }
}

TEST_F(DiskInfoFake, DriveTypesAndTheirTests) {
  for (platform::UINT type = 0; type <= 8; ++type) {
    auto api = std::make_shared<FakeKernel32>();
    api->addDrive({"X:\\", type, 0, 0, 0, "", "", 0});
    platform::Libraries libs;
    libs.kernel32 = api;
    auto d = create<DiskInfo>(libs);
    String x = u"X:\\";
    const Long expected = type <= 6 ? static_cast<Long>(type) : 0;
    EXPECT_EQ(d->DriveType(x), expected);
    EXPECT_EQ(d->IsRemovable(x), expected == 2);
    EXPECT_EQ(d->IsFixed(x), expected == 3);
    EXPECT_EQ(d->IsRemote(x), expected == 4);
    EXPECT_EQ(d->IsCDROM(x), expected == 5);
    EXPECT_EQ(d->IsRamDisk(x), expected == 6);
  }
  String absent = u"Q:\\";
  EXPECT_EQ(disk->DriveType(absent), zvDriveAbsent);
}

TEST(DiskInfoSerial, Formats) {
  const std::pair<std::uint32_t, const char16_t*> cases[] = {
      {0x1A2B3C4D, u"1A2B-3C4D"}, {0x0A1B2C3D, u"A1B2-C3D"}, {0xFFFFFFFF, u"FFFF-FFFF"},
      {0x12ABCD, u"12AB-CD"},     {0xABCD, u"ABCD-"},        {0x5, u"5-"},
      {0, u"0-"},                 {0x80000000, u"8000-0000"}};
  for (const auto& [serial, text] : cases) EXPECT_EQ(formatSerialNumber(serial), text) << serial;
}

TEST_F(DiskInfoFake, VolumeTextAndFileSystemTests) {
  struct Case {
    const char* fs;
    bool fat16, fat32, ntfs;
  } cases[] = {{"NTFS", false, false, true},  {"ntfs", false, false, false},
               {"FAT32", false, true, false}, {"FAT16", true, false, false},
               {"FAT", false, false, false},  {"", false, false, false}};
  for (const auto& c : cases) {
    auto api = std::make_shared<FakeKernel32>();
    // A label of multi-byte characters: bytes are cut at the NUL before converting.
    api->addDrive({"X:\\", platform::kDriveFixed, 0, 0, 0, "Donn\xC3\xA9" "es", c.fs, 0});
    platform::Libraries libs;
    libs.kernel32 = api;
    auto d = create<DiskInfo>(libs);
    String x = u"X:\\";
    EXPECT_EQ(d->VolumeName(x), u"Donn\u00E9es");
    EXPECT_EQ(d->IsFAT16(x), c.fat16) << c.fs;
    EXPECT_EQ(d->IsFAT32(x), c.fat32) << c.fs;
    EXPECT_EQ(d->IsNTFS(x), c.ntfs) << c.fs;
  }
  String missing = u"Q:\\";
  EXPECT_EQ(disk->VolumeName(missing), u"");
  EXPECT_EQ(disk->SerialNumber(missing), u"0-");
  String c = u"C:\\";
  EXPECT_EQ(disk->SerialNumber(c), u"1A2B-3C4D");
}

TEST_F(DiskInfoFake, LocalDrivesInPlatformOrderUnderTheirOwnKeys) {
  auto first = disk->GetLocalDrive();
  ASSERT_EQ(first->Count(), 2);
  EXPECT_EQ(first->Item(Variant(Long{1})).string(), u"C:\\");
  EXPECT_EQ(first->Item(Variant(String(u"D:\\"))).string(), u"D:\\");
  EXPECT_NE(disk->GetLocalDrive(), first) << "a fresh collection every call";
}

TEST(DiskInfoList, ListsLongerThanTheFirstBufferAndKeysThatDifferInCase) {
  auto api = std::make_shared<FakeKernel32>();
  const auto add = [&](std::string root) {
    Drive d;
    d.root = std::move(root);
    api->addDrive(d);
  };
  for (int i = 0; i < 40; ++i) add("/mnt/disk" + std::to_string(i) + "/");
  add("/mnt/Disk1/");
  platform::Libraries libs;
  libs.kernel32 = api;
  auto drives = create<DiskInfo>(libs)->GetLocalDrive();
  ASSERT_EQ(drives->Count(), 41);
  EXPECT_EQ(drives->Item(Variant(String(u"/mnt/disk39/"))).string(), u"/mnt/disk39/");
  EXPECT_EQ(drives->Item(Variant(Long{41})).string(), u"/mnt/Disk1/");
  EXPECT_EQ(drives->Item(Variant(String(u"/mnt/DISK1/"))).string(), u"/mnt/disk1/");
}

TEST_F(DiskInfoFake, DynamicCallWritesTheDriveNameBack) {
  std::vector<Argument> let = {Argument::byValue(Variant(String(u"C:\\")))};
  invoke(*disk, "DriveName", CallKind::Let, let);
  std::vector<Argument> args = {Argument::byReference(Variant(String()))};
  const Variant total = invoke(*disk, methodId(1), CallKind::Method, args);
  EXPECT_EQ(currencyUnits(total.currency()), 1000);
  EXPECT_EQ(args[0].value.string(), u"C:\\");
  std::vector<Argument> omitted = {Argument::omitted()};
  EXPECT_EQ(invoke(*disk, "SerialNumber", CallKind::Method, omitted).string(), u"1A2B-3C4D");
}

}  // namespace
}  // namespace zs
