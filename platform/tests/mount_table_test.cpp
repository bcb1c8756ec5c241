// The mount table: parsing and unescaping mountinfo, lexical paths, and the
// rules that make drive roots of mounts.
#include <gtest/gtest.h>

#include "platform/posix/mount_table.h"

namespace zs::platform::posix {
namespace {

TEST(MountTable, UnescapesOctalFieldsOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"/mnt/my\\040disk", "/mnt/my disk"}, {"a\\011b\\012c", "a\tb\nc"},
      {"back\\134slash", "back\\slash"},    {"short\\04", "short\\04"},
      {"not\\9octal", "not\\9octal"},       {"end\\", "end\\"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(unescapeMountField(in), out) << in;
}

TEST(MountTable, ParsesFieldsAroundTheOptionalOnes) {
  const auto mounts = parseMountInfo(
      "22 1 8:1 / / rw,relatime shared:1 master:2 - ext4 /dev/sda1 rw\n"
      "garbage line\n"
      "23 22 0:5 / /proc rw - proc proc rw\n"
      "24 22 8:2 /sub /mnt/with\\040space rw - ntfs3 /dev/sda2 rw\n"
      "25 22 8:3 / relative rw - ext4 /dev/sda3 rw\n");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[0].device, "8:1");
  EXPECT_EQ(mounts[0].type, "ext4");
  EXPECT_EQ(mounts[0].source, "/dev/sda1");
  EXPECT_EQ(mounts[2].root, "/sub");
  EXPECT_EQ(mounts[2].mountPoint, "/mnt/with space");
}

TEST(MountTable, NormalisesLexically) {
  const std::pair<const char*, const char*> cases[] = {
      {"/", "/"},           {"/home/", "/home"}, {"//a//b/./c/..", "/a/b"},
      {"rel", "/cwd/rel"},  {"", "/cwd"},        {"/../..", "/"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(normalizePath(in, "/cwd"), out) << in;
}

TEST(MountTable, DriveRootsAreRealFileSystemsOnceEachInOrder) {
  const auto mounts = parseMountInfo(
      "1 0 0:30 / / rw - overlay overlay rw\n"
      "2 1 0:5 / /proc rw - proc proc rw\n"
      "3 1 0:40 / /run rw - tmpfs tmpfs rw\n"
      "4 1 8:1 / /srv/data rw - ext4 /dev/sda1 rw\n"
      "5 1 8:1 /part /srv/bind rw - ext4 /dev/sda1 rw\n"          // bind of a part: left out
      "6 1 8:2 / /media/usb rw - vfat /dev/sdb1 rw\n"
      "7 1 8:3 / /media/usb rw - exfat /dev/sdc1 rw\n"            // over-mount: hides 6
      "8 1 0:50 / /net/share rw - nfs4 server:/export rw\n"
      "9 1 0:51 / /net/other rw - cifs //host/share rw\n"
      "10 1 8:4 / /B\\040drive rw - ext4 /dev/sdd1 rw\n");
  EXPECT_EQ(driveRoots(mounts),
            (std::vector<std::string>{"/", "/B drive/", "/media/usb/", "/net/other/",
                                      "/net/share/", "/srv/data/"}));
  EXPECT_EQ(mountAt(mounts, "/media/usb")->type, "exfat");
  EXPECT_EQ(mountAt(mounts, "/media"), nullptr);
}

TEST(MountTable, WholeFileSystemWinsOverAnEarlierBindOfAPart) {
  const auto mounts = parseMountInfo(
      "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
      "2 1 8:9 /home/x /a rw - btrfs /dev/sdz rw\n"
      "3 1 8:9 / /z rw - btrfs /dev/sdz rw\n");
  EXPECT_EQ(driveRoots(mounts), (std::vector<std::string>{"/", "/z/"}));
}

TEST(MountTable, FileSystemNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"ntfs", "NTFS"},   {"ntfs3", "NTFS"}, {"fuseblk", "NTFS"}, {"vfat", "FAT32"},
      {"msdos", "FAT"},   {"exfat", "exFAT"}, {"ext4", "ext4"},   {"btrfs", "btrfs"}};
  for (const auto& [type, name] : cases) EXPECT_EQ(fileSystemName(type), name);
}

}  // namespace
}  // namespace zs::platform::posix
