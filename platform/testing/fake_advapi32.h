// An in-memory advapi32 for tests of the components: the semantics of the
// Linux store on private in-memory hives, plus failure injection, call counts
// and a count of handles left open.
#pragma once

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/advapi32.h"
#include "platform/posix/advapi32_posix.h"

namespace zs::platform::testing {

class FakeAdvapi32 : public Advapi32 {
 public:
  enum class Operation {
    OpenKey, CreateKey, CloseKey, DeleteKey, DeleteValue, EnumKey, EnumValue, QueryValue,
    SetValue,
  };
  static constexpr std::size_t kOperationCount = 9;

  FakeAdvapi32();

  // From now on, `operation` answers `status` without doing anything, for
  // every call or only for the calls on `key` and/or naming `name` (the path
  // for key operations, the value name for value operations; letter case is
  // ignored). A failing open or create leaves its result handle at 0.
  void failWith(Operation operation, LONG status, std::optional<HKEY> key = std::nullopt,
                std::optional<std::string> name = std::nullopt);
  void clearFailures();
  // HKEY_LOCAL_MACHINE as a user without administrator rights sees it.
  void denyMachineWrites(bool deny) { real_.denyMachineWrites(deny); }

  int calls(Operation operation) const;
  // Handles issued by open or create and not closed yet.
  std::size_t openHandles() const;

  LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM sam,
                     HKEY* result) override;
  LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override;
  LONG RegCloseKey(HKEY key) override;
  LONG RegDeleteKeyA(HKEY key, const char* subKey) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                     DWORD* type, BYTE* data, DWORD* dataLength) override;
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataLength) override;
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                      const BYTE* data, DWORD dataLength) override;

  // What GetUserNameA answers, with the Win32 buffer rules; failUserName
  // makes it fail. `size` is then what the call leaves in *size (unchanged
  // when negative).
  void setUserName(std::string name) { userName_ = std::move(name); userNameFails_ = false; }
  void failUserName(long long size = -1) {
    userNameFails_ = true;
    failedSize_ = size;
  }
  BOOL GetUserNameA(char* buffer, DWORD* size) override;

  // Token calls: OpenProcessToken issues kToken; each call is recorded as
  // "OpenProcessToken(process,access)", "LookupPrivilegeValueA(system,name)",
  // "AdjustTokenPrivileges(token,disable,count,luid,attributes,length,
  // previousCount,returnLength)".
  static constexpr HANDLE kToken = 0x5150;
  const std::vector<std::string>& tokenCalls() const { return tokenCalls_; }
  void failOpenProcessToken() { tokenFails_ = true; }
  BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, HANDLE* token) override;
  BOOL LookupPrivilegeValueA(const char* systemName, const char* name, LUID* luid) override;
  BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges,
                             const TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                             TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override;

 private:
  struct Failure {
    Operation operation;
    LONG status;
    std::optional<HKEY> key;
    std::optional<std::string> name;
  };

  // Counts the call and returns the injected status, if one applies.
  std::optional<LONG> injected(Operation operation, HKEY key, const char* name);
  void track(LONG status, HKEY parent, HKEY* result);

  posix::Advapi32Posix real_;
  mutable std::mutex mutex_;
  std::vector<Failure> failures_;
  std::array<int, kOperationCount> calls_{};
  std::set<HKEY> open_;
  std::string userName_ = "fakeuser";
  bool userNameFails_ = false;
  long long failedSize_ = -1;
  std::vector<std::string> tokenCalls_;
  bool tokenFails_ = false;
};

}  // namespace zs::platform::testing
