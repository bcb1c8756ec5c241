// Win32-shaped types, status codes and constants of the platform layer.
//
// The spellings differ from <windows.h> (kErrorSuccess rather than
// ERROR_SUCCESS) because the Windows headers define those names as macros;
// the values are the Win32 ones, so a status or a handle crosses unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zs::platform {

using LONG = std::int32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using BYTE = unsigned char;
using REGSAM = DWORD;
using BOOL = std::int32_t;
using UINT = std::uint32_t;

// An opaque, pointer-sized key handle. The predefined roots are the
// sign-extended 32-bit values, so a root that arrives as a 32-bit Long and is
// widened keeps its identity.
using HKEY = std::uintptr_t;

// A kernel object handle; GetCurrentProcess's pseudo handle is -1.
using HANDLE = std::uintptr_t;
inline constexpr HANDLE kCurrentProcess = static_cast<HANDLE>(-1);
// SW_SHOWNORMAL: how ShellExecuteA and CreateProcessA show a program's window.
inline constexpr int kSwShowNormal = 1;

constexpr HKEY predefinedKey(std::uint32_t value) {
  return static_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

// A 32-bit root-key value as a component receives it, widened to a handle.
constexpr HKEY keyFromLong(std::int32_t value) {
  return static_cast<HKEY>(static_cast<std::intptr_t>(value));
}

inline constexpr HKEY kHkeyClassesRoot = predefinedKey(0x80000000u);
inline constexpr HKEY kHkeyCurrentUser = predefinedKey(0x80000001u);
inline constexpr HKEY kHkeyLocalMachine = predefinedKey(0x80000002u);
inline constexpr HKEY kHkeyUsers = predefinedKey(0x80000003u);
inline constexpr HKEY kHkeyPerformanceData = predefinedKey(0x80000004u);
inline constexpr HKEY kHkeyCurrentConfig = predefinedKey(0x80000005u);
inline constexpr HKEY kHkeyDynData = predefinedKey(0x80000006u);

// Status codes.
inline constexpr LONG kErrorSuccess = 0;
inline constexpr LONG kErrorFileNotFound = 2;
inline constexpr LONG kErrorAccessDenied = 5;
inline constexpr LONG kErrorInvalidHandle = 6;
inline constexpr LONG kErrorOutOfMemory = 14;
inline constexpr LONG kErrorInvalidParameter = 87;
inline constexpr LONG kErrorGenFailure = 31;
inline constexpr LONG kErrorNotSupported = 50;
inline constexpr LONG kErrorBufferOverflow = 111;
inline constexpr LONG kErrorDiskFull = 112;
inline constexpr LONG kErrorInsufficientBuffer = 122;
inline constexpr LONG kErrorBusy = 170;
inline constexpr LONG kErrorMoreData = 234;
inline constexpr LONG kErrorNoMoreItems = 259;
inline constexpr LONG kErrorBadDb = 1009;        // the store file is damaged or of an unknown version
inline constexpr LONG kErrorKeyDeleted = 1018;   // the key behind an open handle was deleted
inline constexpr LONG kErrorRegistryIoFailed = 1016;
inline constexpr LONG kErrorPrivilegeNotHeld = 1314;

// Value types.
inline constexpr DWORD kRegNone = 0;
inline constexpr DWORD kRegSz = 1;
inline constexpr DWORD kRegExpandSz = 2;
inline constexpr DWORD kRegBinary = 3;
inline constexpr DWORD kRegDword = 4;
inline constexpr DWORD kRegMultiSz = 7;

// Access rights.
inline constexpr REGSAM kKeyQueryValue = 0x0001;
inline constexpr REGSAM kKeySetValue = 0x0002;
inline constexpr REGSAM kKeyCreateSubKey = 0x0004;
inline constexpr REGSAM kKeyEnumerateSubKeys = 0x0008;
inline constexpr REGSAM kKeyNotify = 0x0010;
inline constexpr REGSAM kKeyCreateLink = 0x0020;
inline constexpr REGSAM kDelete = 0x00010000;
inline constexpr REGSAM kReadControl = 0x00020000;
inline constexpr REGSAM kWriteDac = 0x00040000;
inline constexpr REGSAM kWriteOwner = 0x00080000;
inline constexpr REGSAM kKeyRead = 0x00020019;
inline constexpr REGSAM kKeyWrite = 0x00020006;
inline constexpr REGSAM kKeyAllAccess = 0x000F003F;
inline constexpr REGSAM kMaximumAllowed = 0x02000000;
inline constexpr REGSAM kGenericAll = 0x10000000;
inline constexpr REGSAM kGenericWrite = 0x40000000;
inline constexpr REGSAM kGenericRead = 0x80000000;

// Longest key-name component and value name, in bytes.
inline constexpr DWORD kMaxKeyNameLength = 255;
inline constexpr DWORD kMaxValueNameLength = 16383;

// The ANSI display-mode record of EnumDisplaySettingsA and
// ChangeDisplaySettingsA, 156 bytes, with the display arm of the
// printer/display union. dmFields names the fields that carry a value.
struct DEVMODEA {
  BYTE dmDeviceName[32];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  LONG dmPositionX;
  LONG dmPositionY;
  DWORD dmDisplayOrientation;
  DWORD dmDisplayFixedOutput;
  SHORT dmColor;
  SHORT dmDuplex;
  SHORT dmYResolution;
  SHORT dmTTOption;
  SHORT dmCollate;
  BYTE dmFormName[32];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};
static_assert(sizeof(DEVMODEA) == 156);
static_assert(offsetof(DEVMODEA, dmFields) == 40);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == 104);
static_assert(offsetof(DEVMODEA, dmPelsWidth) == 108);
static_assert(offsetof(DEVMODEA, dmPelsHeight) == 112);
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == 120);

// dmFields bits of a display mode.
inline constexpr DWORD kDmBitsPerPel = 0x00040000;
inline constexpr DWORD kDmPelsWidth = 0x00080000;
inline constexpr DWORD kDmPelsHeight = 0x00100000;
inline constexpr DWORD kDmDisplayFrequency = 0x00400000;

}  // namespace zs::platform
