#include "platform/posix/kernel32_posix.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "core/ascii.h"
#include "platform/posix/mount_table.h"
#include "platform/posix/os_release.h"

namespace zs::platform::posix {
namespace {

namespace fs = std::filesystem;

// File-system flags reported for every Linux volume.
constexpr DWORD kFileCaseSensitiveSearch = 0x1;
constexpr DWORD kFileCasePreservedNames = 0x2;
constexpr DWORD kFileReadOnlyVolume = 0x80000;

std::string currentDirectory() {
  std::error_code ec;
  const auto cwd = fs::current_path(ec);
  return ec ? std::string("/") : cwd.string();
}

std::string normalized(const char* path) {
  return normalizePath(path ? std::string_view(path) : std::string_view(), currentDirectory());
}

// blocks * size in bytes, saturating instead of wrapping.
ULONGLONG bytes(std::uint64_t blocks, std::uint64_t size) {
  ULONGLONG product = 0;
  if (__builtin_mul_overflow(blocks, size, &product)) return std::numeric_limits<ULONGLONG>::max();
  return product;
}

// Copies `text` with its NUL into a buffer of `size` bytes; false when it
// does not fit. A null buffer asks for nothing.
bool copyOut(const std::string& text, char* buffer, DWORD size) {
  if (!buffer) return true;
  if (text.size() + 1 > size) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

DWORD serialFromUuid(std::string_view uuid) {
  std::string digits;
  for (const char c : uuid) {
    if (digitValue(c) >= 0) digits.push_back(c);
  }
  if (digits.size() < 8) return 0;
  const std::string_view pick = digits.size() == 16
                                    ? std::string_view(digits).substr(8, 8)
                                    : std::string_view(digits).substr(0, 8);
  DWORD serial = 0;
  for (const char c : pick) serial = (serial << 4) | static_cast<DWORD>(digitValue(c));
  return serial;
}

void releaseNumbers(std::string_view release, DWORD numbers[3]) {
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    numbers[i] = 0;
    if (i > 0) {
      if (at >= release.size() || release[at] != '.') continue;
      ++at;
    }
    for (int digits = 0; at < release.size() && release[at] >= '0' && release[at] <= '9'; ++at) {
      if (++digits <= 9) numbers[i] = numbers[i] * 10 + static_cast<DWORD>(release[at] - '0');
    }
  }
}

std::string unescapeUdevName(std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && digitValue(name[i + 2]) >= 0 &&
        digitValue(name[i + 3]) >= 0) {
      out.push_back(static_cast<char>(digitValue(name[i + 2]) * 16 + digitValue(name[i + 3])));
      i += 3;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

std::string Kernel32Posix::deviceFile(const std::string& source) const {
  if (source.rfind("/dev/", 0) != 0) return {};
  std::error_code ec;
  const auto resolved = fs::canonical(roots_.dev + source.substr(4), ec);
  return ec ? std::string() : resolved.string();
}

bool Kernel32Posix::removable(const std::string& source) const {
  const std::string device = deviceFile(source);
  if (device.empty()) return false;
  std::error_code ec;
  const auto block = fs::canonical(roots_.sys + "/class/block/" + fs::path(device).filename().string(), ec);
  if (ec) return false;
  // A partition's flag is on its disk, the folder above it.
  const auto flagFile = fs::exists(block / "partition", ec) ? block.parent_path() / "removable"
                                                            : block / "removable";
  std::ifstream in(flagFile);
  char flag = '0';
  return in.get(flag) && flag == '1';
}

std::string Kernel32Posix::diskLink(const char* folder, const std::string& source) const {
  const std::string device = deviceFile(source);
  if (device.empty()) return {};
  std::error_code ec;
  fs::directory_iterator it(roots_.dev + "/disk/" + folder, ec), end;
  for (int seen = 0; !ec && it != end && seen < 4096; it.increment(ec), ++seen) {
    std::error_code linkEc;
    const auto target = fs::canonical(it->path(), linkEc);
    if (!linkEc && target.string() == device) return it->path().filename().string();
  }
  return {};
}

BOOL Kernel32Posix::GetDiskFreeSpaceExA(const char* directory,
                                        ULONGLONG* freeBytesAvailableToCaller,
                                        ULONGLONG* totalNumberOfBytes,
                                        ULONGLONG* totalNumberOfFreeBytes) {
  struct statvfs info {};
  if (::statvfs(normalized(directory).c_str(), &info) != 0) return 0;
  const std::uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
  if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = bytes(info.f_bavail, unit);
  if (totalNumberOfBytes) *totalNumberOfBytes = bytes(info.f_blocks, unit);
  if (totalNumberOfFreeBytes) *totalNumberOfFreeBytes = bytes(info.f_bfree, unit);
  return 1;
}

UINT Kernel32Posix::GetDriveTypeA(const char* rootPathName) {
  const auto mounts = readMountInfo(mountInfoPath());
  const Mount* m = mountAt(mounts, normalized(rootPathName));
  if (!m) return kDriveNoRootDir;
  if (isRemoteFileSystem(m->type)) return kDriveRemote;
  if (m->type == "iso9660" || m->type == "udf") return kDriveCdrom;
  if (m->type == "tmpfs" || m->type == "ramfs") return kDriveRamdisk;
  if (isPseudoFileSystem(m->type)) return kDriveUnknown;
  return removable(m->source) ? kDriveRemovable : kDriveFixed;
}

BOOL Kernel32Posix::GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer,
                                          DWORD volumeNameSize, DWORD* volumeSerialNumber,
                                          DWORD* maximumComponentLength,
                                          DWORD* fileSystemFlags, char* fileSystemNameBuffer,
                                          DWORD fileSystemNameSize) {
  const auto mounts = readMountInfo(mountInfoPath());
  const std::string root = normalized(rootPathName);
  const Mount* m = mountAt(mounts, root);
  if (!m) return 0;
  const std::string label = unescapeUdevName(diskLink("by-label", m->source));
  const std::string fsName = fileSystemName(m->type);
  if ((volumeNameBuffer && label.size() + 1 > volumeNameSize) ||
      (fileSystemNameBuffer && fsName.size() + 1 > fileSystemNameSize)) {
    return 0;
  }
  DWORD serial = serialFromUuid(diskLink("by-uuid", m->source));
  DWORD component = 255, flags = kFileCaseSensitiveSearch | kFileCasePreservedNames;
  struct statvfs info {};
  if (::statvfs(root.c_str(), &info) == 0) {
    if (serial == 0) serial = static_cast<DWORD>(info.f_fsid);
    if (info.f_namemax) component = static_cast<DWORD>(info.f_namemax);
    if (info.f_flag & ST_RDONLY) flags |= kFileReadOnlyVolume;
  }
  copyOut(label, volumeNameBuffer, volumeNameSize);
  copyOut(fsName, fileSystemNameBuffer, fileSystemNameSize);
  if (volumeSerialNumber) *volumeSerialNumber = serial;
  if (maximumComponentLength) *maximumComponentLength = component;
  if (fileSystemFlags) *fileSystemFlags = flags;
  return 1;
}

DWORD Kernel32Posix::GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
  std::string list;
  for (const auto& root : driveRoots(readMountInfo(mountInfoPath()))) {
    list.append(root);
    list.push_back('\0');
  }
  const std::size_t needed = list.size() + 1;
  if (needed > std::numeric_limits<DWORD>::max()) return 0;
  if (!buffer || needed > bufferLength) return static_cast<DWORD>(needed);
  std::memcpy(buffer, list.data(), list.size());
  buffer[list.size()] = '\0';
  return static_cast<DWORD>(list.size());
}

namespace {

// The text call rule: text and NUL when they fit, else the size needed.
DWORD answerText(const std::string& text, char* buffer, DWORD size) {
  if (text.size() + 1 > std::numeric_limits<DWORD>::max()) return 0;
  if (!buffer || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace

BOOL Kernel32Posix::SetCurrentDirectoryA(const char* pathName) {
  return pathName && ::chdir(pathName) == 0;
}

DWORD Kernel32Posix::GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
  std::error_code ec;
  const auto cwd = fs::current_path(ec);
  return ec ? 0 : answerText(cwd.string(), buffer, bufferLength);
}

// Linux has no Windows folder and no system folder.
UINT Kernel32Posix::GetWindowsDirectoryA(char*, UINT) { return 0; }
UINT Kernel32Posix::GetSystemDirectoryA(char*, UINT) { return 0; }

DWORD Kernel32Posix::GetTempPathA(DWORD bufferLength, char* buffer) {
  const auto tmpdir = (roots_.environment ? roots_.environment : processEnvironment())("TMPDIR");
  std::string path = tmpdir && !tmpdir->empty() && tmpdir->front() == '/' ? *tmpdir : "/tmp";
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path != "/") path.push_back('/');
  return answerText(path, buffer, bufferLength);
}

BOOL Kernel32Posix::GetVersionExA(OSVERSIONINFOA* info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
  std::string release = roots_.kernelRelease;
  if (release.empty()) {
    struct utsname names {};
    if (::uname(&names) == 0) release = names.release;
  }
  DWORD numbers[3];
  releaseNumbers(release, numbers);
  info->dwMajorVersion = numbers[0];
  info->dwMinorVersion = numbers[1];
  info->dwBuildNumber = numbers[2];
  info->dwPlatformId = kVerPlatformLinux;
  const auto values = readOsRelease(roots_.osRelease);
  const auto found = values.find("VERSION_ID");
  std::string text = found == values.end() ? std::string() : found->second;
  // At most 127 bytes, never ending inside a UTF-8 sequence.
  if (text.size() > sizeof info->szCSDVersion - 1) {
    std::size_t cut = sizeof info->szCSDVersion - 1;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  std::memcpy(info->szCSDVersion, text.data(), text.size());
  return 1;
}

}  // namespace zs::platform::posix
