#include "platform/win32/kernel32_win32.h"

#include <windows.h>

#include <cstdint>

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

namespace zs::platform::win32 {

void Kernel32Win32::GetSystemInfo(SYSTEM_INFO* systemInfo) {
  ::SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  systemInfo->wProcessorArchitecture = info.wProcessorArchitecture;
  systemInfo->wReserved = info.wReserved;
  systemInfo->dwPageSize = info.dwPageSize;
  systemInfo->lpMinimumApplicationAddress =
      reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
  systemInfo->lpMaximumApplicationAddress =
      reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
  systemInfo->dwActiveProcessorMask = info.dwActiveProcessorMask;
  systemInfo->dwNumberOfProcessors = info.dwNumberOfProcessors;
  systemInfo->dwProcessorType = info.dwProcessorType;
  systemInfo->dwAllocationGranularity = info.dwAllocationGranularity;
  systemInfo->wProcessorLevel = info.wProcessorLevel;
  systemInfo->wProcessorRevision = info.wProcessorRevision;
}

namespace {

// A size of the system's record (pointer-sized in a 64-bit process) as the
// 32-bit field of ours, capped the way the 32-bit system caps it.
DWORD capped(SIZE_T bytes) {
  return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(bytes);
}

}  // namespace

void Kernel32Win32::GlobalMemoryStatus(MEMORYSTATUS* buffer) {
  ::MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  ::GlobalMemoryStatus(&status);
  buffer->dwLength = sizeof(MEMORYSTATUS);
  buffer->dwMemoryLoad = status.dwMemoryLoad;
  buffer->dwTotalPhys = capped(status.dwTotalPhys);
  buffer->dwAvailPhys = capped(status.dwAvailPhys);
  buffer->dwTotalPageFile = capped(status.dwTotalPageFile);
  buffer->dwAvailPageFile = capped(status.dwAvailPageFile);
  buffer->dwTotalVirtual = capped(status.dwTotalVirtual);
  buffer->dwAvailVirtual = capped(status.dwAvailVirtual);
}

BOOL Kernel32Win32::GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) {
  static_assert(sizeof(MEMORYSTATUSEX) == sizeof(::MEMORYSTATUSEX));
  return ::GlobalMemoryStatusEx(reinterpret_cast<::MEMORYSTATUSEX*>(buffer));
}

int Kernel32Win32::GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) {
  return ::GetLocaleInfoA(locale, type, data, size);
}

LANGID Kernel32Win32::GetSystemDefaultLangID() { return ::GetSystemDefaultLangID(); }

BOOL Kernel32Win32::CreateProcessA(const char* applicationName, char* commandLine, BOOL inheritHandles,
                                   DWORD creationFlags, const char* currentDirectory,
                                   const STARTUPINFOA* startupInfo, PROCESS_INFORMATION* processInformation) {
  ::STARTUPINFOA si{};
  si.cb = sizeof(si);
  if (startupInfo) {
    si.dwFlags = startupInfo->dwFlags;
    si.wShowWindow = startupInfo->wShowWindow;
  }
  ::PROCESS_INFORMATION pi{};
  const BOOL ok = ::CreateProcessA(applicationName, commandLine, nullptr, nullptr, inheritHandles, creationFlags,
                                   nullptr, currentDirectory, &si, &pi);
  if (ok && processInformation) {
    processInformation->hProcess = reinterpret_cast<HANDLE>(pi.hProcess);
    processInformation->hThread = reinterpret_cast<HANDLE>(pi.hThread);
    processInformation->dwProcessId = pi.dwProcessId;
    processInformation->dwThreadId = pi.dwThreadId;
  } else if (ok) {
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }
  return ok;
}

DWORD Kernel32Win32::GetFileAttributesA(const char* fileName) { return ::GetFileAttributesA(fileName); }

}  // namespace zs::platform::win32
