// kernel32 on Linux, answered from the running system: drives are mount
// points (see mount_table.h), sizes come from statvfs, labels and serial
// numbers from the udev links under /dev/disk. The folders it reads are
// injectable so tests run over fixture trees. docs/disk_info.md has the table.
// Memory figures come from /proc (docs/memory.md), locale items from ICU for
// the locale the environment names (docs/locale_settings.md).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel32.h"
#include "platform/posix/user_folders.h"

namespace zs::platform::posix {

// Where the backend reads the system; the defaults are the real ones.
struct SystemRoots {
  std::string proc = "/proc";  // proc/self/mountinfo
  std::string sys = "/sys";    // sys/class/block/<name>/removable
  std::string dev = "/dev";    // dev/disk/by-label, dev/disk/by-uuid; a source /dev/x is dev/x
  // The os-release files, the first readable one wins.
  std::vector<std::string> osRelease = {"/etc/os-release", "/usr/lib/os-release"};
  std::string kernelRelease;   // empty: the running kernel's (uname)
  std::string nodeName;        // the computer name; empty: the running system's (uname)
  // Reads TMPDIR and the locale variables (LC_ALL, LC_*, LANG); null: the
  // process's environment.
  EnvironmentReader environment;
  // The system's locale files, the first with a LANG entry wins.
  std::vector<std::string> localeFiles = {"/etc/default/locale", "/etc/locale.conf"};
  // Gives the address-space limit (RLIMIT_AS) in bytes, nullopt when
  // unlimited; null: the process's own limit.
  std::function<std::optional<ULONGLONG>()> addressSpaceLimit;
};

class Kernel32Posix : public Kernel32 {
 public:
  explicit Kernel32Posix(SystemRoots roots = {}) : roots_(std::move(roots)) {}

  BOOL GetDiskFreeSpaceExA(const char* directory, ULONGLONG* freeBytesAvailableToCaller,
                           ULONGLONG* totalNumberOfBytes,
                           ULONGLONG* totalNumberOfFreeBytes) override;
  UINT GetDriveTypeA(const char* rootPathName) override;
  BOOL GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer,
                             DWORD volumeNameSize, DWORD* volumeSerialNumber,
                             DWORD* maximumComponentLength, DWORD* fileSystemFlags,
                             char* fileSystemNameBuffer, DWORD fileSystemNameSize) override;
  DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) override;
  BOOL GetVersionExA(OSVERSIONINFOA* versionInformation) override;
  BOOL GetComputerNameA(char* buffer, DWORD* size) override;
  // From sys/class/power_supply (power_supply.h).
  BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) override;
  HANDLE GetCurrentProcess() override;
  BOOL CloseHandle(HANDLE handle) override;
  BOOL SetCurrentDirectoryA(const char* pathName) override;
  DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) override;
  UINT GetWindowsDirectoryA(char* buffer, UINT size) override;
  UINT GetSystemDirectoryA(char* buffer, UINT size) override;
  DWORD GetTempPathA(DWORD bufferLength, char* buffer) override;
  // Memory and locale: kernel32_posix_system.cpp.
  void GetSystemInfo(SYSTEM_INFO* systemInfo) override;
  void GlobalMemoryStatus(MEMORYSTATUS* buffer) override;
  BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) override;
  int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) override;
  LANGID GetSystemDefaultLangID() override;
  // Processes and files: kernel32_posix_process.cpp.
  BOOL CreateProcessA(const char* applicationName, char* commandLine, BOOL inheritHandles,
                      DWORD creationFlags, const char* currentDirectory, const STARTUPINFOA* startupInfo,
                      PROCESS_INFORMATION* processInformation) override;
  DWORD GetFileAttributesA(const char* fileName) override;

 private:
  std::string mountInfoPath() const { return roots_.proc + "/self/mountinfo"; }
  // The device file of a mount source under the dev root, resolved; empty
  // when the source is not a device.
  std::string deviceFile(const std::string& source) const;
  bool removable(const std::string& source) const;
  EnvironmentReader environment() const;
  std::optional<MEMORYSTATUSEX> memory() const;
  // The ICU id of a locale identifier (user, system or a specific LCID) for
  // an item type; "" when the identifier is unknown.
  std::string localeFor(LCID locale, LCTYPE type) const;
  // The name of the by-label or by-uuid link that points at the source's device.
  std::string diskLink(const char* folder, const std::string& source) const;

  SystemRoots roots_;
};

// The 32-bit serial number of a file-system UUID as blkid reports it: the
// eight digits of a FAT serial (ABCD-1234), the low 32 bits of an NTFS serial
// (16 digits), the first eight digits of any longer UUID. 0 when the text has
// fewer than eight hexadecimal digits.
DWORD serialFromUuid(std::string_view uuid);

// The first three numbers of a kernel release ("6.1.0-18-amd64": 6, 1, 0);
// missing ones are 0.
void releaseNumbers(std::string_view release, DWORD numbers[3]);

// udev escapes label characters as \xHH in link names.
std::string unescapeUdevName(std::string_view name);

}  // namespace zs::platform::posix
