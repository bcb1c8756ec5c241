#include "platform/testing/fake_kernel32.h"

#include <cstring>
#include <string>

#include "platform/last_error.h"
#include "platform/posix/name_buffer.h"

namespace zs::platform::testing {

const FakeKernel32::Drive* FakeKernel32::find(const char* root) const {
  for (const auto& d : drives_) {
    if (root && d.root == root) return &d;
  }
  return nullptr;
}

void FakeKernel32::record(const char* operation, const char* name) {
  calls_.push_back(std::string(operation) + "(" + (name ? name : "") + ")");
}

BOOL FakeKernel32::GetDiskFreeSpaceExA(const char* directory, ULONGLONG* available,
                                       ULONGLONG* total, ULONGLONG* free) {
  record("GetDiskFreeSpaceExA", directory);
  const Drive* d = find(directory);
  if (!d) return 0;
  if (available) *available = d->freeToCaller;
  if (total) *total = d->total;
  if (free) *free = d->free;
  return 1;
}

UINT FakeKernel32::GetDriveTypeA(const char* rootPathName) {
  record("GetDriveTypeA", rootPathName);
  const Drive* d = find(rootPathName);
  return d ? d->type : kDriveNoRootDir;
}

BOOL FakeKernel32::GetVolumeInformationA(const char* rootPathName, char* volumeNameBuffer,
                                         DWORD volumeNameSize, DWORD* volumeSerialNumber,
                                         DWORD* maximumComponentLength, DWORD* fileSystemFlags,
                                         char* fileSystemNameBuffer, DWORD fileSystemNameSize) {
  record("GetVolumeInformationA", rootPathName);
  const Drive* d = find(rootPathName);
  if (!d) return 0;
  if ((volumeNameBuffer && d->label.size() + 1 > volumeNameSize) ||
      (fileSystemNameBuffer && d->fileSystem.size() + 1 > fileSystemNameSize)) {
    return 0;
  }
  if (volumeNameBuffer) std::memcpy(volumeNameBuffer, d->label.c_str(), d->label.size() + 1);
  if (fileSystemNameBuffer) {
    std::memcpy(fileSystemNameBuffer, d->fileSystem.c_str(), d->fileSystem.size() + 1);
  }
  if (volumeSerialNumber) *volumeSerialNumber = d->serial;
  if (maximumComponentLength) *maximumComponentLength = 255;
  if (fileSystemFlags) *fileSystemFlags = 0;
  return 1;
}

DWORD FakeKernel32::GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
  record("GetLogicalDriveStringsA", nullptr);
  std::string list;
  for (const auto& d : drives_) {
    list.append(d.root);
    list.push_back('\0');
  }
  if (!buffer || list.size() + 1 > bufferLength) return static_cast<DWORD>(list.size() + 1);
  std::memcpy(buffer, list.data(), list.size());
  buffer[list.size()] = '\0';
  return static_cast<DWORD>(list.size());
}

BOOL FakeKernel32::GetVersionExA(OSVERSIONINFOA* info) {
  ++versionCalls_;
  if (versionFails_ || !info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
  *info = version_;
  info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  return 1;
}

BOOL FakeKernel32::GetComputerNameA(char* buffer, DWORD* size) {
  record("GetComputerNameA", nullptr);
  if (computerNameFails_) {
    SetLastError(kErrorGenFailure);
    return 0;
  }
  return posix::answerName(computerName_, buffer, size, kErrorBufferOverflow, false);
}

BOOL FakeKernel32::GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) {
  record("GetSystemPowerStatus", nullptr);
  if (powerFails_ || !status) return 0;
  *status = power_;
  return 1;
}

HANDLE FakeKernel32::GetCurrentProcess() {
  record("GetCurrentProcess", nullptr);
  return kCurrentProcess;
}

BOOL FakeKernel32::CloseHandle(HANDLE handle) {
  record("CloseHandle", std::to_string(handle).c_str());
  return 1;
}

namespace {

DWORD answerText(const std::string& text, char* buffer, DWORD size) {
  if (text.empty()) return 0;
  if (!buffer || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace

BOOL FakeKernel32::SetCurrentDirectoryA(const char* pathName) {
  record("SetCurrentDirectoryA", pathName);
  if (!pathName || !*pathName) return 0;
  current_ = pathName;
  return 1;
}

DWORD FakeKernel32::GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
  return answerText(current_, buffer, bufferLength);
}

UINT FakeKernel32::GetWindowsDirectoryA(char* buffer, UINT size) {
  return answerText(windows_, buffer, size);
}

UINT FakeKernel32::GetSystemDirectoryA(char* buffer, UINT size) {
  return answerText(system_, buffer, size);
}

DWORD FakeKernel32::GetTempPathA(DWORD bufferLength, char* buffer) {
  return answerText(temp_, buffer, bufferLength);
}

void FakeKernel32::GetSystemInfo(SYSTEM_INFO* systemInfo) {
  queries_.push_back("GetSystemInfo");
  *systemInfo = systemInfo_;
}

void FakeKernel32::GlobalMemoryStatus(MEMORYSTATUS* buffer) {
  queries_.push_back("GlobalMemoryStatus");
  *buffer = memory_;
  buffer->dwLength = sizeof(MEMORYSTATUS);
}

BOOL FakeKernel32::GlobalMemoryStatusEx(MEMORYSTATUSEX* buffer) {
  queries_.push_back("GlobalMemoryStatusEx");
  if (!memoryEx_ || buffer->dwLength != sizeof(MEMORYSTATUSEX)) return 0;
  *buffer = *memoryEx_;
  buffer->dwLength = sizeof(MEMORYSTATUSEX);
  return 1;
}

int FakeKernel32::GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) {
  queries_.push_back("GetLocaleInfoA(" + std::to_string(locale) + "," + std::to_string(type) +
                     "," + std::to_string(size) + ")");
  if (localeError_) throw *localeError_;
  const auto found = locale_.find({locale, type});
  if (found == locale_.end()) return 0;
  const std::string& text = found->second;
  const auto forced = localeCount_.find({locale, type});
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return forced != localeCount_.end() ? forced->second : needed;
  if (!data || needed > size) return 0;
  std::memcpy(data, text.c_str(), text.size() + 1);
  return forced != localeCount_.end() ? forced->second : needed;
}

LANGID FakeKernel32::GetSystemDefaultLangID() {
  queries_.push_back("GetSystemDefaultLangID");
  if (localeError_) throw *localeError_;
  return langId_;
}

DWORD FakeKernel32::GetFileAttributesA(const char* fileName) {
  record("GetFileAttributesA", fileName ? fileName : "");
  for (const auto& f : files_)
    if (fileName && f == fileName) return kFileAttributeNormal;
  SetLastError(kErrorFileNotFound);
  return kInvalidFileAttributes;
}

BOOL FakeKernel32::CreateProcessA(const char* applicationName, char* commandLine, BOOL, DWORD, const char*,
                                  const STARTUPINFOA* startupInfo, PROCESS_INFORMATION* processInformation) {
  started_.push_back({applicationName ? applicationName : "", commandLine ? commandLine : "",
                      startupInfo ? startupInfo->wShowWindow : WORD{0}});
  for (const auto& f : files_) {
    if (applicationName && f == applicationName) {
      if (processInformation) *processInformation = PROCESS_INFORMATION{};
      return 1;
    }
  }
  SetLastError(kErrorFileNotFound);
  return 0;
}

}  // namespace zs::platform::testing
