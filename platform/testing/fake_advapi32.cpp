#include "platform/testing/fake_advapi32.h"

#include "platform/last_error.h"
#include "platform/posix/name_buffer.h"

#include "platform/posix/utf8_fold.h"

namespace zs::platform::testing {

namespace {

bool isPredefined(HKEY key) {
  return key >= kHkeyClassesRoot && key <= kHkeyDynData;
}

}  // namespace

FakeAdvapi32::FakeAdvapi32() : real_(posix::StoreLocation::inMemory()) {}

void FakeAdvapi32::failWith(Operation operation, LONG status, std::optional<HKEY> key,
                            std::optional<std::string> name) {
  std::lock_guard lock(mutex_);
  if (name) name = posix::foldName(*name);
  failures_.push_back(Failure{operation, status, key, std::move(name)});
}

void FakeAdvapi32::clearFailures() {
  std::lock_guard lock(mutex_);
  failures_.clear();
}

int FakeAdvapi32::calls(Operation operation) const {
  std::lock_guard lock(mutex_);
  return calls_[static_cast<std::size_t>(operation)];
}

std::size_t FakeAdvapi32::openHandles() const {
  std::lock_guard lock(mutex_);
  return open_.size();
}

std::optional<LONG> FakeAdvapi32::injected(Operation operation, HKEY key, const char* name) {
  std::lock_guard lock(mutex_);
  ++calls_[static_cast<std::size_t>(operation)];
  const std::string folded = posix::foldName(name != nullptr ? name : "");
  for (const auto& failure : failures_) {
    if (failure.operation != operation) continue;
    if (failure.key && *failure.key != key) continue;
    if (failure.name && *failure.name != folded) continue;
    return failure.status;
  }
  return std::nullopt;
}

void FakeAdvapi32::track(LONG status, HKEY parent, HKEY* result) {
  if (status != kErrorSuccess || result == nullptr) return;
  if (*result == parent && isPredefined(parent)) return;  // a root given back
  std::lock_guard lock(mutex_);
  open_.insert(*result);
}

LONG FakeAdvapi32::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                                 HKEY* result) {
  if (auto status = injected(Operation::OpenKey, key, subKey)) {
    if (result != nullptr) *result = 0;
    return *status;
  }
  const LONG status = real_.RegOpenKeyExA(key, subKey, options, sam, result);
  track(status, key, result);
  return status;
}

LONG FakeAdvapi32::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (auto status = injected(Operation::CreateKey, key, subKey)) {
    if (result != nullptr) *result = 0;
    return *status;
  }
  const LONG status = real_.RegCreateKeyA(key, subKey, result);
  track(status, key, result);
  return status;
}

LONG FakeAdvapi32::RegCloseKey(HKEY key) {
  if (auto status = injected(Operation::CloseKey, key, nullptr)) return *status;
  const LONG status = real_.RegCloseKey(key);
  if (status == kErrorSuccess) {
    std::lock_guard lock(mutex_);
    open_.erase(key);
  }
  return status;
}

LONG FakeAdvapi32::RegDeleteKeyA(HKEY key, const char* subKey) {
  if (auto status = injected(Operation::DeleteKey, key, subKey)) return *status;
  return real_.RegDeleteKeyA(key, subKey);
}

LONG FakeAdvapi32::RegDeleteValueA(HKEY key, const char* valueName) {
  if (auto status = injected(Operation::DeleteValue, key, valueName)) return *status;
  return real_.RegDeleteValueA(key, valueName);
}

LONG FakeAdvapi32::RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) {
  if (auto status = injected(Operation::EnumKey, key, nullptr)) return *status;
  return real_.RegEnumKeyA(key, index, name, nameSize);
}

LONG FakeAdvapi32::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength,
                                 DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataLength) {
  if (auto status = injected(Operation::EnumValue, key, nullptr)) return *status;
  return real_.RegEnumValueA(key, index, name, nameLength, reserved, type, data, dataLength);
}

LONG FakeAdvapi32::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                                    DWORD* type, BYTE* data, DWORD* dataLength) {
  if (auto status = injected(Operation::QueryValue, key, valueName)) return *status;
  return real_.RegQueryValueExA(key, valueName, reserved, type, data, dataLength);
}

LONG FakeAdvapi32::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                  const BYTE* data, DWORD dataLength) {
  if (auto status = injected(Operation::SetValue, key, valueName)) return *status;
  return real_.RegSetValueExA(key, valueName, reserved, type, data, dataLength);
}

BOOL FakeAdvapi32::GetUserNameA(char* buffer, DWORD* size) {
  if (userNameFails_) {
    if (size && failedSize_ >= 0) *size = static_cast<DWORD>(failedSize_);
    SetLastError(kErrorGenFailure);
    return 0;
  }
  return posix::answerName(userName_, buffer, size, kErrorInsufficientBuffer, true);
}

BOOL FakeAdvapi32::OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) {
  tokenCalls_.push_back("OpenProcessToken(" + std::to_string(process) + "," +
                        std::to_string(desiredAccess) + ")");
  if (tokenFails_ || !token) return 0;
  *token = kToken;
  return 1;
}

BOOL FakeAdvapi32::LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) {
  tokenCalls_.push_back(std::string("LookupPrivilegeValueA(") + (systemName ? systemName : "null") +
                        "," + (name ? name : "null") + ")");
  if (!luid) return 0;
  *luid = LUID{19, 0};
  return 1;
}

BOOL FakeAdvapi32::AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                                         const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                                         TOKEN_PRIVILEGES* previousState, DWORD* returnLength) {
  std::string call = "AdjustTokenPrivileges(" + std::to_string(token) + "," +
                     std::to_string(disableAllPrivileges);
  if (newState) {
    call += "," + std::to_string(newState->PrivilegeCount) + "," +
            std::to_string(newState->Privileges[0].Luid.LowPart) + "," +
            std::to_string(newState->Privileges[0].Attributes);
  }
  call += "," + std::to_string(bufferLength) + "," +
          (previousState ? std::to_string(previousState->PrivilegeCount) : "null") + "," +
          (returnLength ? std::to_string(*returnLength) : "null") + ")";
  tokenCalls_.push_back(call);
  return 1;
}

}  // namespace zs::platform::testing
