#include "platform/posix/mount_table.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <tuple>

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxMountInfoBytes = 4u << 20;

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// Splits one line at spaces.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t end = std::min(line.find(' ', at), line.size());
    if (end > at) out.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string unescapeMountField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
        isOctal(field[i + 2]) && isOctal(field[i + 3])) {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      out.push_back(static_cast<char>(value & 0xFF));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::vector<Mount> parseMountInfo(std::string_view text) {
  std::vector<Mount> mounts;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const auto f = fields(text.substr(at, end - at));
    at = end + 1;
    // id parent major:minor root mount-point options [optional...] - type source super
    const auto dash = std::find(f.begin(), f.end(), std::string_view("-"));
    if (f.size() < 6 || dash == f.end() || dash - f.begin() < 6 || f.end() - dash < 3) continue;
    Mount m;
    m.device = std::string(f[2]);
    m.root = unescapeMountField(f[3]);
    m.mountPoint = unescapeMountField(f[4]);
    m.type = unescapeMountField(dash[1]);
    m.source = unescapeMountField(dash[2]);
    if (m.mountPoint.empty() || m.mountPoint[0] != '/') continue;
    mounts.push_back(std::move(m));
  }
  return mounts;
}

std::vector<Mount> readMountInfo(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string text;
  std::array<char, 8192> chunk;
  while (text.size() < kMaxMountInfoBytes && in.read(chunk.data(), chunk.size()), in.gcount() > 0) {
    text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (text.size() > kMaxMountInfoBytes) text.resize(kMaxMountInfoBytes);
  return parseMountInfo(text);
}

std::string normalizePath(std::string_view path, std::string_view cwd) {
  std::string joined;
  if (path.empty() || path[0] != '/') {
    joined.assign(cwd);
    joined.push_back('/');
  }
  joined.append(path);
  std::vector<std::string_view> parts;
  std::string_view rest = joined;
  while (!rest.empty()) {
    const std::size_t slash = std::min(rest.find('/'), rest.size());
    const std::string_view part = rest.substr(0, slash);
    rest.remove_prefix(std::min(slash + 1, rest.size()));
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (const auto part : parts) {
    out.push_back('/');
    out.append(part);
  }
  return out.empty() ? "/" : out;
}

const Mount* mountAt(const std::vector<Mount>& mounts, std::string_view mountPoint) {
  for (auto it = mounts.rbegin(); it != mounts.rend(); ++it) {
    if (it->mountPoint == mountPoint) return &*it;
  }
  return nullptr;
}

bool isRemoteFileSystem(std::string_view type) {
  static constexpr std::array<std::string_view, 16> kRemote = {
      "nfs",  "nfs4",      "cifs",   "smb3",       "smbfs",       "ncpfs",
      "afs",  "9p",        "ceph",   "glusterfs",  "lustre",      "davfs",
      "fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.glusterfs"};
  return std::find(kRemote.begin(), kRemote.end(), type) != kRemote.end();
}

bool isPseudoFileSystem(std::string_view type) {
  static constexpr std::array<std::string_view, 21> kPseudo = {
      "proc",    "sysfs",    "devtmpfs",  "devpts",      "cgroup",   "cgroup2", "securityfs",
      "pstore",  "debugfs",  "tracefs",   "mqueue",      "hugetlbfs", "bpf",    "configfs",
      "fusectl", "autofs",   "binfmt_misc", "efivarfs",  "nsfs",     "rpc_pipefs", "selinuxfs"};
  return std::find(kPseudo.begin(), kPseudo.end(), type) != kPseudo.end();
}

std::string fileSystemName(std::string_view type) {
  if (type == "ntfs" || type == "ntfs3" || type == "fuseblk") return "NTFS";
  if (type == "vfat") return "FAT32";
  if (type == "msdos") return "FAT";
  if (type == "exfat") return "exFAT";
  return std::string(type);
}

std::vector<std::string> driveRoots(const std::vector<Mount>& mounts) {
  // The visible mount of each mount point, and for each file system the one
  // mount that stands for it: the whole file system before a bind mount of a
  // part of it, then the shorter mount point, then the earlier mount.
  std::map<std::string, const Mount*> chosen;  // device -> mount
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    const Mount& m = mounts[i];
    if (mountAt(mounts, m.mountPoint) != &m) continue;  // over-mounted
    const bool real = !isPseudoFileSystem(m.type) &&
                      (startsWith(m.source, "/dev/") || isRemoteFileSystem(m.type));
    if (m.mountPoint != "/" && !real) continue;
    const std::string key = isRemoteFileSystem(m.type) ? m.device + " " + m.source : m.device;
    auto [it, inserted] = chosen.emplace(key, &m);
    if (inserted) continue;
    const Mount& held = *it->second;
    const auto rank = [](const Mount& x) {
      return std::make_tuple(x.mountPoint != "/", x.root != "/", x.mountPoint.size());
    };
    if (rank(m) < rank(held)) it->second = &m;
  }
  std::vector<std::string> roots;
  for (const auto& [device, m] : chosen) {
    roots.push_back(m->mountPoint == "/" ? "/" : m->mountPoint + "/");
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

}  // namespace zs::platform::posix
