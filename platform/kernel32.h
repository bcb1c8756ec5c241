// The kernel32 operations that the system-information components use, with the
// Win32 names, argument order, buffer rules and results.
//
// Text crosses in the system's 8-bit code page (UTF-8 on Linux). Results are
// Win32's: BOOL calls give nonzero on success; a call that fails leaves its
// output buffers and counters untouched unless the rule below says otherwise.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace zs::platform {

using ULONGLONG = std::uint64_t;
using WORD = std::uint16_t;
using LANGID = std::uint16_t;
using LCID = std::uint32_t;
using LCTYPE = std::uint32_t;

// The drive-type codes of GetDriveTypeA.
inline constexpr UINT kDriveUnknown = 0;
inline constexpr UINT kDriveNoRootDir = 1;
inline constexpr UINT kDriveRemovable = 2;
inline constexpr UINT kDriveFixed = 3;
inline constexpr UINT kDriveRemote = 4;
inline constexpr UINT kDriveCdrom = 5;
inline constexpr UINT kDriveRamdisk = 6;

// The ANSI version record of GetVersionExA: five 32-bit fields and 128 bytes
// of service-pack text, 148 bytes in all.
struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

// The platform identifier that the Linux backend reports (the letter L): none
// of the Windows ones (0 Win32s, 1 Windows 9x, 2 NT).
inline constexpr DWORD kVerPlatformLinux = 76;

// The memory status record of GlobalMemoryStatus: eight 32-bit fields; sizes
// in bytes, each capped at 0xFFFFFFFF when the real figure is larger.
struct MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  DWORD dwTotalPhys;
  DWORD dwAvailPhys;
  DWORD dwTotalPageFile;
  DWORD dwAvailPageFile;
  DWORD dwTotalVirtual;
  DWORD dwAvailVirtual;
};
static_assert(sizeof(MEMORYSTATUS) == 32);

// The record of GlobalMemoryStatusEx: the same figures at their real size.
struct MEMORYSTATUSEX {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  ULONGLONG ullTotalPhys;
  ULONGLONG ullAvailPhys;
  ULONGLONG ullTotalPageFile;
  ULONGLONG ullAvailPageFile;
  ULONGLONG ullTotalVirtual;
  ULONGLONG ullAvailVirtual;
  ULONGLONG ullAvailExtendedVirtual;
};
static_assert(sizeof(MEMORYSTATUSEX) == 64);

// The record of GetSystemInfo. The addresses and the processor mask are
// pointer-sized on Windows; they are held here at 64 bits on every build.
struct SYSTEM_INFO {
  WORD wProcessorArchitecture;
  WORD wReserved;
  DWORD dwPageSize;
  ULONGLONG lpMinimumApplicationAddress;
  ULONGLONG lpMaximumApplicationAddress;
  ULONGLONG dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};

// Locale identifiers and the information types of GetLocaleInfoA.
inline constexpr LCID kLocaleSystemDefault = 0x800;
inline constexpr LCID kLocaleUserDefault = 0x400;
inline constexpr LCTYPE kLocaleSNativeLangName = 4;
inline constexpr LCTYPE kLocaleSNativeCtryName = 8;
inline constexpr LCTYPE kLocaleSDecimal = 14;
inline constexpr LCTYPE kLocaleSThousand = 15;
inline constexpr LCTYPE kLocaleSCurrency = 20;
inline constexpr LCTYPE kLocaleSShortDate = 31;
inline constexpr LCTYPE kLocaleSPositiveSign = 80;
inline constexpr LCTYPE kLocaleSNegativeSign = 81;
inline constexpr LCTYPE kLocaleSEngCountry = 0x1002;
inline constexpr LCTYPE kLocaleSTimeFormat = 0x1003;
// LOCALE_NOUSEROVERRIDE, a flag that may accompany any type.
inline constexpr LCTYPE kLocaleNoUserOverride = 0x80000000;
// SYSTEM_POWER_STATUS of GetSystemPowerStatus, 12 bytes.
struct SYSTEM_POWER_STATUS {
  BYTE ACLineStatus;         // 0 offline, 1 online, 255 unknown
  BYTE BatteryFlag;          // bits below, 255 unknown
  BYTE BatteryLifePercent;   // 0-100, 255 unknown
  BYTE SystemStatusFlag;
  DWORD BatteryLifeTime;     // seconds, 0xFFFFFFFF unknown
  DWORD BatteryFullLifeTime; // seconds, 0xFFFFFFFF unknown
};
static_assert(sizeof(SYSTEM_POWER_STATUS) == 12);
inline constexpr BYTE kBatteryHigh = 1;
inline constexpr BYTE kBatteryLow = 2;
inline constexpr BYTE kBatteryCritical = 4;
inline constexpr BYTE kBatteryCharging = 8;
inline constexpr BYTE kBatteryNone = 128;
inline constexpr BYTE kPowerStatusUnknown = 255;
inline constexpr DWORD kBatteryTimeUnknown = 0xFFFFFFFF;

// CreateProcessA's start-up record: the fields this library sets.
inline constexpr DWORD kStartfUseShowWindow = 0x1;
struct STARTUPINFOA {
  DWORD cb = sizeof(STARTUPINFOA);
  DWORD dwFlags = 0;
  WORD wShowWindow = 0;
};
struct PROCESS_INFORMATION {
  HANDLE hProcess = 0;
  HANDLE hThread = 0;
  DWORD dwProcessId = 0;
  DWORD dwThreadId = 0;
};
inline constexpr DWORD kInvalidFileAttributes = 0xFFFFFFFFu;
inline constexpr DWORD kFileAttributeDirectory = 0x10;
inline constexpr DWORD kFileAttributeNormal = 0x80;

class Kernel32 {
 public:
  virtual ~Kernel32() = default;

  // The sizes of the volume that holds `directory` (any directory on it; null:
  // the current directory's volume), in bytes. Each out pointer may be null.
  virtual BOOL GetDiskFreeSpaceExA(const char* directory, ULONGLONG* freeBytesAvailableToCaller,
                                   ULONGLONG* totalNumberOfBytes,
                                   ULONGLONG* totalNumberOfFreeBytes) = 0;
  // The type of the drive whose root is `rootPathName`; kDriveNoRootDir when
  // the name is not a drive root.
  virtual UINT GetDriveTypeA(const char* rootPathName) = 0;
  // The volume's label, serial number, longest name component, flags and file
  // system name. The root must be a drive root. Each buffer is written with
  // its terminating NUL; a text that does not fit fails the call. Every out
  // parameter may be null.
  virtual BOOL GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer,
                                     DWORD volumeNameSize, DWORD* volumeSerialNumber,
                                     DWORD* maximumComponentLength, DWORD* fileSystemFlags,
                                     char* fileSystemNameBuffer, DWORD fileSystemNameSize) = 0;
  // The drive roots, each followed by a NUL, the list ended by a further NUL.
  // Returns the length written without the final NUL, or, when the list does
  // not fit in `bufferLength` bytes, the size needed (final NUL included) and
  // writes nothing.
  virtual DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) = 0;

  // Fills the record; fails (writing nothing) unless its size field is 148.
  virtual BOOL GetVersionExA(OSVERSIONINFOA* versionInformation) = 0;
  // The computer's name. *size: in the buffer's size, out on success the
  // name's length without its NUL. A buffer that is too small fails with
  // kErrorBufferOverflow (GetLastError) and *size the size needed, NUL
  // included; nothing is written.
  virtual BOOL GetComputerNameA(char* buffer, DWORD* size) = 0;

  // The mains and battery state; 0 on failure, the record untouched.
  virtual BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) = 0;
  // The pseudo handle of the calling process (kCurrentProcess).
  virtual HANDLE GetCurrentProcess() = 0;
  // Closes a handle that a platform call issued (a token, ...).
  virtual BOOL CloseHandle(HANDLE handle) = 0;

  // Directories. Each text call writes the text and its NUL and returns its
  // length without the NUL; when the buffer is too small it writes nothing and
  // returns the size needed, NUL included; 0 on failure.
  virtual BOOL SetCurrentDirectoryA(const char* pathName) = 0;
  virtual DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) = 0;
  virtual UINT GetWindowsDirectoryA(char* buffer, UINT size) = 0;
  virtual UINT GetSystemDirectoryA(char* buffer, UINT size) = 0;
  // The temporary folder, ending in the path separator.
  virtual DWORD GetTempPathA(DWORD bufferLength, char* buffer) = 0;

  // Memory and locale.
  // The processor and memory layout.
  virtual void GetSystemInfo(SYSTEM_INFO* systemInfo) = 0;
  // Fills the record (its dwLength set to 32); sizes above 4 GB - 1 read 0xFFFFFFFF.
  virtual void GlobalMemoryStatus(MEMORYSTATUS* buffer) = 0;
  // Fills the record; fails (writing nothing) unless its dwLength is 64.
  virtual BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) = 0;
  // One item of a locale as text in the 8-bit code page. Writes the text and
  // its NUL and returns the byte count with the NUL; with `size` 0 it writes
  // nothing and returns the count needed; 0 when the locale or type is
  // unknown or the text does not fit (nothing written then).
  virtual int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) = 0;
  // The language of the system's locale (the low 16 bits of its LCID).
  virtual LANGID GetSystemDefaultLangID() = 0;

  // Processes and files.
  // Starts `applicationName`, the program file itself (never searched for,
  // never split at blanks), with `commandLine` as its command line (null: the
  // program's name alone) in `currentDirectory` (null: the caller's), without
  // waiting. The security attributes and environment of the Win32 call are
  // always null in this library and not passed. Nonzero on success, with the
  // process and thread handles in `processInformation` for the caller to
  // close (0 where the platform has none); 0 with GetLastError's reason.
  virtual BOOL CreateProcessA(const char* applicationName, char* commandLine, BOOL inheritHandles,
                              DWORD creationFlags, const char* currentDirectory,
                              const STARTUPINFOA* startupInfo,
                              PROCESS_INFORMATION* processInformation) = 0;
  // The attributes of a file or folder; kInvalidFileAttributes with
  // GetLastError's reason when there is none of that name.
  virtual DWORD GetFileAttributesA(const char* fileName) = 0;
};

}  // namespace zs::platform
