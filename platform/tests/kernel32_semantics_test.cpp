// kernel32 semantics: the Linux backend over a fixture tree (mountinfo, udev
// links, sysfs flags) and the buffer rules that the fake shares with it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/kernel32_posix.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

namespace fs = std::filesystem;

using testsupport::writeFile;

void link(const fs::path& at, const fs::path& target) {
  fs::create_directories(at.parent_path());
  fs::create_symlink(target, at);
}

// A machine of five mounts below the temporary folder T: T/sys-root (ext4 on
// sda1, labelled "My Disk"), T/usb stick (vfat on the removable sdb1), T/share
// (nfs), T/ram (tmpfs), T/cd (iso9660).
class Kernel32Posix : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string t = tmp.path();
    for (const char* dir : {"sys-root", "usb stick", "share", "ram", "cd", "sys-root/plain"}) {
      fs::create_directories(t + "/" + dir);
    }
    writeFile(t + "/proc/self/mountinfo",
          "1 0 8:1 / " + t + "/sys-root rw - ntfs3 /dev/sda1 rw\n"
          "2 1 8:17 / " + t + "/usb\\040stick rw - vfat /dev/sdb1 rw\n"
          "3 1 0:50 / " + t + "/share rw - nfs4 server:/export rw\n"
          "4 1 0:40 / " + t + "/ram rw - tmpfs tmpfs rw\n"
          "5 1 11:0 / " + t + "/cd ro - iso9660 /dev/sr0 ro\n"
          "6 1 0:5 / " + t + "/proc rw - proc proc rw\n");
    writeFile(t + "/dev/sda1", "");
    writeFile(t + "/dev/sdb1", "");
    writeFile(t + "/dev/sr0", "");
    link(t + "/dev/disk/by-label/My\\x20Disk", "../../sda1");
    link(t + "/dev/disk/by-uuid/0123456789ABCDEF", "../../sda1");
    link(t + "/dev/disk/by-uuid/ABCD-1234", "../../sdb1");
    writeFile(t + "/sys/devices/pci/sdb/removable", "1\n");
    writeFile(t + "/sys/devices/pci/sdb/sdb1/partition", "1\n");
    writeFile(t + "/sys/devices/pci/sda/removable", "0\n");
    writeFile(t + "/sys/devices/pci/sda/sda1/partition", "1\n");
    link(t + "/sys/class/block/sdb1", t + "/sys/devices/pci/sdb/sdb1");
    link(t + "/sys/class/block/sda1", t + "/sys/devices/pci/sda/sda1");
    posix::SystemRoots roots;
    roots.proc = t + "/proc";
    roots.sys = t + "/sys";
    roots.dev = t + "/dev";
    api = std::make_unique<posix::Kernel32Posix>(roots);
  }
  std::string at(const std::string& rest) const { return tmp.path() + rest; }

  testsupport::TempFolder tmp;
  std::unique_ptr<posix::Kernel32Posix> api;
};

TEST_F(Kernel32Posix, DriveTypesFromTheMountTable) {
  const std::pair<std::string, UINT> cases[] = {
      {"/sys-root", kDriveFixed},   {"/sys-root/", kDriveFixed},
      {"/usb stick/", kDriveRemovable}, {"/share", kDriveRemote},
      {"/ram", kDriveRamdisk},      {"/cd", kDriveCdrom},
      {"/proc", kDriveUnknown},     {"/sys-root/plain", kDriveNoRootDir},
      {"/nowhere", kDriveNoRootDir}};
  for (const auto& [path, type] : cases) EXPECT_EQ(api->GetDriveTypeA(at(path).c_str()), type) << path;
}

TEST_F(Kernel32Posix, LogicalDriveStringsAskAgainAtTheReportedSize) {
  char small[8] = "XXXXXXX";
  const DWORD needed = api->GetLogicalDriveStringsA(sizeof small, small);
  EXPECT_EQ(std::string(small), "XXXXXXX") << "nothing written when it does not fit";
  std::string buffer(needed, 'X');
  const DWORD written = api->GetLogicalDriveStringsA(needed, buffer.data());
  EXPECT_EQ(written + 1, needed);
  const std::string expected =
      at("/cd/") + '\0' + at("/share/") + '\0' + at("/sys-root/") + '\0' + at("/usb stick/") + '\0';
  EXPECT_EQ(buffer.substr(0, written), expected);
  EXPECT_EQ(buffer[written], '\0');
}

TEST_F(Kernel32Posix, VolumeInformationFromUdevLinks) {
  char label[64], fsName[64];
  DWORD serial = 0, component = 0, flags = 0;
  ASSERT_TRUE(api->GetVolumeInformationA(at("/sys-root/").c_str(), label, sizeof label, &serial,
                                         &component, &flags, fsName, sizeof fsName));
  EXPECT_STREQ(label, "My Disk");
  EXPECT_STREQ(fsName, "NTFS");
  EXPECT_EQ(serial, 0x89ABCDEFu) << "the low half of an NTFS serial";
  ASSERT_TRUE(api->GetVolumeInformationA(at("/usb stick").c_str(), label, sizeof label, &serial,
                                         nullptr, nullptr, fsName, sizeof fsName));
  EXPECT_STREQ(label, "");
  EXPECT_STREQ(fsName, "FAT32");
  EXPECT_EQ(serial, 0xABCD1234u);

  std::strcpy(label, "untouched");
  EXPECT_FALSE(api->GetVolumeInformationA(at("/sys-root").c_str(), label, 4, &serial, nullptr,
                                          nullptr, fsName, sizeof fsName));
  EXPECT_FALSE(api->GetVolumeInformationA(at("/sys-root/plain").c_str(), label, sizeof label,
                                          &serial, nullptr, nullptr, fsName, sizeof fsName));
  EXPECT_STREQ(label, "untouched");
}

TEST_F(Kernel32Posix, DiskSpaceOfAnyDirectory) {
  ULONGLONG available = 7, total = 7, free = 7;
  ASSERT_TRUE(api->GetDiskFreeSpaceExA(at("/sys-root/plain").c_str(), &available, &total, &free));
  EXPECT_GT(total, 0u);
  EXPECT_LE(free, total);
  available = total = free = 7;
  EXPECT_FALSE(api->GetDiskFreeSpaceExA(at("/nowhere").c_str(), &available, &total, &free));
  EXPECT_EQ(total, 7u) << "a failing call leaves the counts";
}

TEST(Kernel32PosixSystem, TheRealRootIsAListedFixedDrive) {
  posix::Kernel32Posix real;
  std::string buffer(65536, '\0');
  const DWORD written = real.GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
  ASSERT_GT(written, 0u);
  EXPECT_EQ(buffer.substr(0, 2), std::string("/\0", 2)) << "the root is listed first";
  ULONGLONG total = 0;
  ASSERT_TRUE(real.GetDiskFreeSpaceExA("/", nullptr, &total, nullptr));
  EXPECT_GT(total, 0u);
}

TEST(Kernel32PosixText, SerialsFromUuidsAndUdevNames) {
  const std::pair<const char*, DWORD> serials[] = {
      {"ABCD-1234", 0xABCD1234u},
      {"0123456789ABCDEF", 0x89ABCDEFu},
      {"3e6be9de-8139-4a5f-9c2a-0123456789ab", 0x3E6BE9DEu},
      {"12", 0u}};
  for (const auto& [uuid, serial] : serials) EXPECT_EQ(posix::serialFromUuid(uuid), serial) << uuid;
  EXPECT_EQ(posix::unescapeUdevName("A\\x20B\\x2fC\\x"), "A B/C\\x");
}

TEST(Kernel32PosixVersion, KernelReleaseAndOsRelease) {
  testsupport::TempFolder tmp;
  writeFile(tmp.path() + "/usr-os-release", "VERSION_ID=\"22.04\"\n");
  writeFile(tmp.path() + "/long-os-release", "VERSION_ID=" + std::string(126, 'x') + "\xC3\xA9z\n");
  struct Case {
    const char* release;
    std::vector<std::string> files;
    DWORD major, minor, build;
    std::string csd;
  } cases[] = {
      {"6.1.0-18-amd64", {tmp.path() + "/missing", tmp.path() + "/usr-os-release"}, 6, 1, 0, "22.04"},
      {"5.15.133.1-microsoft-standard-WSL2", {}, 5, 15, 133, ""},
      {"4.19", {tmp.path() + "/long-os-release"}, 4, 19, 0, std::string(126, 'x')},
      {"99999999999.x", {}, 999999999, 0, 0, ""},
  };
  for (const auto& c : cases) {
    posix::SystemRoots roots;
    roots.kernelRelease = c.release;
    roots.osRelease = c.files;
    posix::Kernel32Posix api(roots);
    OSVERSIONINFOA info{};
    EXPECT_FALSE(api.GetVersionExA(&info)) << "size field 0";
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(api.GetVersionExA(&info));
    EXPECT_EQ(info.dwMajorVersion, c.major) << c.release;
    EXPECT_EQ(info.dwMinorVersion, c.minor) << c.release;
    EXPECT_EQ(info.dwBuildNumber, c.build) << c.release;
    EXPECT_EQ(info.dwPlatformId, kVerPlatformLinux);
    EXPECT_EQ(std::string(info.szCSDVersion), c.csd) << "cut at a character boundary";
  }
}

TEST(FakeKernel32, SharesTheDriveListRule) {
  testing::FakeKernel32 fake;
  testing::FakeKernel32::Drive c;
  c.root = "C:\\";
  fake.addDrive(c);
  char small[3] = "XX";
  EXPECT_EQ(fake.GetLogicalDriveStringsA(sizeof small, small), 5u);
  EXPECT_STREQ(small, "XX");
  char big[8];
  EXPECT_EQ(fake.GetLogicalDriveStringsA(sizeof big, big), 4u);
  EXPECT_EQ(std::string(big, 5), std::string("C:\\\0\0", 5));
}

}  // namespace
}  // namespace zs::platform
