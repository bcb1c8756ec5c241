// The mount table of the process (/proc/self/mountinfo) and the rules that
// make drives of it on Linux: which mounts are listed as drive roots, in which
// order, and what drive type a mount has. Nothing here touches a mount point
// itself, so a dead network mount cannot hang a caller.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zs::platform::posix {

struct Mount {
  std::string device;      // major:minor of the file system
  std::string root;        // the mounted folder inside the file system ("/" for all of it)
  std::string mountPoint;  // absolute, unescaped
  std::string type;        // as the kernel names it: ext4, vfat, fuse.sshfs
  std::string source;      // /dev/sda1, server:/export, tmpfs
};

// Mountinfo fields escape space, tab, newline and backslash as \ooo.
std::string unescapeMountField(std::string_view field);

// The mounts in the order of the text; malformed lines are skipped.
std::vector<Mount> parseMountInfo(std::string_view text);

// Reads and parses a mountinfo file; empty when it cannot be read. The file
// is read up to a bound (4 MiB) so a runaway table cannot exhaust memory.
std::vector<Mount> readMountInfo(const std::string& path);

// `path` made absolute against `cwd` and reduced lexically: no empty, "." or
// ".." components, no trailing slash ("/" stays "/").
std::string normalizePath(std::string_view path, std::string_view cwd);

// The mount visible at exactly `mountPoint` (a normalised path): the last one
// mounted there, since a later mount hides an earlier one. Null when none.
const Mount* mountAt(const std::vector<Mount>& mounts, std::string_view mountPoint);

// The drive roots: "/" and the mount points of real file systems (a block
// device or a network source), each file system once (a bind mount of one
// already listed is left out), hidden mounts left out, each root ending in
// "/", in byte order of the mount point.
std::vector<std::string> driveRoots(const std::vector<Mount>& mounts);

bool isRemoteFileSystem(std::string_view type);
bool isPseudoFileSystem(std::string_view type);

// The file-system name that Windows would report for a kernel type name:
// ntfs, ntfs3 and fuseblk give "NTFS", vfat "FAT32", msdos "FAT", exfat
// "exFAT"; every other type as the kernel names it.
std::string fileSystemName(std::string_view type);

}  // namespace zs::platform::posix
