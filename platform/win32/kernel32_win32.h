// The kernel32 operations, passed straight to the system.
#pragma once

#include "platform/kernel32.h"

namespace zs::platform::win32 {

class Kernel32Win32 : public Kernel32 {
 public:
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
  BOOL GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) override;
  HANDLE GetCurrentProcess() override;
  BOOL CloseHandle(HANDLE handle) override;
  BOOL SetCurrentDirectoryA(const char* pathName) override;
  DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) override;
  UINT GetWindowsDirectoryA(char* buffer, UINT size) override;
  UINT GetSystemDirectoryA(char* buffer, UINT size) override;
  DWORD GetTempPathA(DWORD bufferLength, char* buffer) override;

  void GetSystemInfo(SYSTEM_INFO* systemInfo) override;
  void GlobalMemoryStatus(MEMORYSTATUS* buffer) override;
  BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) override;
  int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) override;
  LANGID GetSystemDefaultLangID() override;
  BOOL CreateProcessA(const char* applicationName, char* commandLine, BOOL inheritHandles,
                      DWORD creationFlags, const char* currentDirectory, const STARTUPINFOA* startupInfo,
                      PROCESS_INFORMATION* processInformation) override;
  DWORD GetFileAttributesA(const char* fileName) override;
};

}  // namespace zs::platform::win32
