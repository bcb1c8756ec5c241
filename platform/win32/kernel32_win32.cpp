#include "platform/win32/kernel32_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

BOOL Kernel32Win32::GetDiskFreeSpaceExA(const char* directory,
                                        ULONGLONG* freeBytesAvailableToCaller,
                                        ULONGLONG* totalNumberOfBytes,
                                        ULONGLONG* totalNumberOfFreeBytes) {
  ULARGE_INTEGER available{}, total{}, free{};
  const ::BOOL ok = ::GetDiskFreeSpaceExA(directory, &available, &total, &free);
  if (!ok) return 0;
  if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = available.QuadPart;
  if (totalNumberOfBytes) *totalNumberOfBytes = total.QuadPart;
  if (totalNumberOfFreeBytes) *totalNumberOfFreeBytes = free.QuadPart;
  return 1;
}

UINT Kernel32Win32::GetDriveTypeA(const char* rootPathName) {
  return ::GetDriveTypeA(rootPathName);
}

BOOL Kernel32Win32::GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer,
                                          DWORD volumeNameSize, DWORD* volumeSerialNumber,
                                          DWORD* maximumComponentLength,
                                          DWORD* fileSystemFlags, char* fileSystemNameBuffer,
                                          DWORD fileSystemNameSize) {
  ::DWORD serial = 0, component = 0, flags = 0;
  const ::BOOL ok = ::GetVolumeInformationA(rootPathName, volumeNameBuffer, volumeNameSize,
                                            &serial, &component, &flags, fileSystemNameBuffer,
                                            fileSystemNameSize);
  if (!ok) return 0;
  if (volumeSerialNumber) *volumeSerialNumber = serial;
  if (maximumComponentLength) *maximumComponentLength = component;
  if (fileSystemFlags) *fileSystemFlags = flags;
  return 1;
}

DWORD Kernel32Win32::GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
  return ::GetLogicalDriveStringsA(bufferLength, buffer);
}

BOOL Kernel32Win32::GetVersionExA(OSVERSIONINFOA* versionInformation) {
  static_assert(sizeof(OSVERSIONINFOA) == sizeof(::OSVERSIONINFOA));
  return ::GetVersionExA(reinterpret_cast<::OSVERSIONINFOA*>(versionInformation));
}

BOOL Kernel32Win32::GetComputerNameA(char* buffer, DWORD* size) {
  ::DWORD n = size ? *size : 0;
  const BOOL ok = ::GetComputerNameA(buffer, size ? &n : nullptr);
  if (size) *size = n;
  return ok;
}

BOOL Kernel32Win32::GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) {
  static_assert(sizeof(SYSTEM_POWER_STATUS) == sizeof(::SYSTEM_POWER_STATUS));
  return ::GetSystemPowerStatus(reinterpret_cast<::SYSTEM_POWER_STATUS*>(status));
}

HANDLE Kernel32Win32::GetCurrentProcess() {
  return reinterpret_cast<HANDLE>(::GetCurrentProcess());
}

BOOL Kernel32Win32::CloseHandle(HANDLE handle) {
  return ::CloseHandle(reinterpret_cast<::HANDLE>(handle));
}

BOOL Kernel32Win32::SetCurrentDirectoryA(const char* pathName) {
  return ::SetCurrentDirectoryA(pathName);
}

DWORD Kernel32Win32::GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
  return ::GetCurrentDirectoryA(bufferLength, buffer);
}

UINT Kernel32Win32::GetWindowsDirectoryA(char* buffer, UINT size) {
  return ::GetWindowsDirectoryA(buffer, size);
}

UINT Kernel32Win32::GetSystemDirectoryA(char* buffer, UINT size) {
  return ::GetSystemDirectoryA(buffer, size);
}

DWORD Kernel32Win32::GetTempPathA(DWORD bufferLength, char* buffer) {
  return ::GetTempPathA(bufferLength, buffer);
}

}  // namespace zs::platform::win32
