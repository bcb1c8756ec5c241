// An in-memory kernel32 for tests of the components: drives set up by the
// test, with every call and the names passed to it recorded.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/error.h"

#include "platform/kernel32.h"

namespace zs::platform::testing {

class FakeKernel32 : public Kernel32 {
 public:
  struct Drive {
    std::string root;  // as the calls must name it: C:\ or /
    UINT type = kDriveFixed;
    ULONGLONG total = 0, free = 0, freeToCaller = 0;
    std::string label, fileSystem;
    DWORD serial = 0;
  };

  // Adds a drive; GetLogicalDriveStringsA lists them in the order added.
  void addDrive(Drive drive) { drives_.push_back(std::move(drive)); }
  // The record GetVersionExA answers (a zeroed one until set); failVersion
  // makes the call fail.
  void setVersion(const OSVERSIONINFOA& version) { version_ = version; versionFails_ = false; }
  void failVersion() { versionFails_ = true; }
  int versionCalls() const { return versionCalls_; }
  // The computer name GetComputerNameA answers (the Win32 buffer rules);
  // failComputerName makes it fail without writing.
  void setComputerName(std::string name) { computerName_ = std::move(name); computerNameFails_ = false; }
  void failComputerName() { computerNameFails_ = true; }
  // What GetSystemPowerStatus answers; failPowerStatus makes it fail.
  void setPowerStatus(const SYSTEM_POWER_STATUS& status) { power_ = status; powerFails_ = false; }
  void failPowerStatus() { powerFails_ = true; }
  // What the directory calls answer; an empty text makes the call answer 0.
  void setDirectories(std::string windows, std::string system, std::string temp) {
    windows_ = std::move(windows);
    system_ = std::move(system);
    temp_ = std::move(temp);
  }
  const std::string& currentDirectory() const { return current_; }
  // What GetSystemInfo and GlobalMemoryStatus answer; setMemoryEx gives the
  // record of GlobalMemoryStatusEx, which fails until it is set.
  void setSystemInfo(const SYSTEM_INFO& info) { systemInfo_ = info; }
  void setMemory(const MEMORYSTATUS& status) { memory_ = status; }
  void setMemoryEx(const MEMORYSTATUSEX& status) { memoryEx_ = status; }
  // The text of one locale item (LCID, type); unset items fail. raiseLocale
  // makes every GetLocaleInfoA and GetSystemDefaultLangID call raise the error instead.
  void setLocaleInfo(LCID locale, LCTYPE type, std::string text) {
    locale_[{locale, type}] = std::move(text);
  }
  // Answers the count `count` for the item whatever the text's length, as a
  // faulty or character-counting system would.
  void setLocaleCount(LCID locale, LCTYPE type, int count) { localeCount_[{locale, type}] = count; }
  void raiseLocale(Error error) { localeError_ = std::move(error); }
  void setLangId(LANGID id) { langId_ = id; }
  // Every memory, system and locale call, in order: "GetSystemInfo",
  // "GetLocaleInfoA(1024,31,256)", ...
  const std::vector<std::string>& queries() const { return queries_; }

  // The names passed to every call, in order, as "Operation(name)".
  const std::vector<std::string>& calls() const { return calls_; }

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
  // Records "CloseHandle(<handle in decimal>)".
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

  // Files that GetFileAttributesA finds (as normal files); every other name
  // is missing (kErrorFileNotFound).
  void addFile(std::string name) { files_.push_back(std::move(name)); }
  // CreateProcessA starts nothing: it records (program, command line) and
  // succeeds for a program added with addFile, else fails with
  // kErrorFileNotFound.
  struct Started {
    std::string program, commandLine;
    WORD show;
  };
  const std::vector<Started>& started() const { return started_; }
  BOOL CreateProcessA(const char* applicationName, char* commandLine, BOOL inheritHandles, DWORD creationFlags,
                      const char* currentDirectory, const STARTUPINFOA* startupInfo,
                      PROCESS_INFORMATION* processInformation) override;
  DWORD GetFileAttributesA(const char* fileName) override;

 private:
  const Drive* find(const char* root) const;
  void record(const char* operation, const char* name);

  std::vector<Drive> drives_;
  std::vector<std::string> calls_;
  OSVERSIONINFOA version_{};
  bool versionFails_ = false;
  int versionCalls_ = 0;
  std::string computerName_ = "FAKEHOST";
  bool computerNameFails_ = false;
  SYSTEM_POWER_STATUS power_{};
  bool powerFails_ = false;
  std::string windows_, system_, temp_, current_ = "C:\\";
  SYSTEM_INFO systemInfo_{};
  MEMORYSTATUS memory_{};
  std::optional<MEMORYSTATUSEX> memoryEx_;
  std::map<std::pair<LCID, LCTYPE>, std::string> locale_;
  std::map<std::pair<LCID, LCTYPE>, int> localeCount_;
  std::optional<Error> localeError_;
  LANGID langId_ = 0x0409;
  std::vector<std::string> queries_;
  std::vector<std::string> files_;
  std::vector<Started> started_;
};

}  // namespace zs::platform::testing
