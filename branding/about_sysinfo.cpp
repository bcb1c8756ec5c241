#include "branding/about_sysinfo.h"

#include <array>
#include <cstring>

namespace zs::branding {
namespace {

using namespace platform;

#ifdef _WIN32
constexpr const char* kProgramFile = "\\MSINFO32.EXE";
#else
constexpr const char* kProgramFile = "/MSINFO32.EXE";
#endif

// Closes a registry key on every path.
struct OpenKey {
  Advapi32& api;
  HKEY key = 0;
  ~OpenKey() {
    if (key) api.RegCloseKey(key);
  }
};

// The program path, or nothing when neither value leads to one.
bool programPath(Advapi32& advapi32, Kernel32& kernel32, std::string& path) {
  if (getKeyValue(advapi32, kHkeyLocalMachine, kMsinfoKey, "PATH", path)) return true;
  std::string folder;
  if (!getKeyValue(advapi32, kHkeyLocalMachine, kMsinfoLocationKey, "MSINFO", folder)) return false;
  path = folder + kProgramFile;
  return kernel32.GetFileAttributesA(path.c_str()) != kInvalidFileAttributes;
}

}  // namespace

bool getKeyValue(Advapi32& advapi32, HKEY root, const std::string& keyName, const std::string& valueName,
                 std::string& keyValue) {
  OpenKey key{advapi32};
  if (advapi32.RegOpenKeyExA(root, keyName.c_str(), 0, kKeyRead, &key.key) != kErrorSuccess) {
    key.key = 0;
    keyValue.clear();
    return false;
  }
  std::array<char, 1024> buffer{};
  DWORD size = buffer.size(), type = 0;
  if (advapi32.RegQueryValueExA(key.key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                &size) != kErrorSuccess) {
    keyValue.clear();
    return false;
  }
  size = std::min<DWORD>(size, buffer.size());
  // A string stored with its terminating NUL loses it; one without keeps all.
  const std::size_t length = size > 0 && buffer[size - 1] == '\0' ? size - 1 : size;
  switch (type) {
    case kRegSz:
      keyValue.assign(buffer.data(), length);
      return true;
    case kRegDword: {
      std::uint32_t raw = 0;
      std::memcpy(&raw, buffer.data(), sizeof raw);  // the buffer starts zeroed
      keyValue = std::to_string(static_cast<std::int32_t>(raw));
      return true;
    }
    default:
      return false;  // nothing was read
  }
}

void startSysInfo(Advapi32& advapi32, Kernel32& kernel32, User32& user32, const std::string& title) {
  std::string path;
  if (programPath(advapi32, kernel32, path)) {
    STARTUPINFOA startup;
    startup.dwFlags = kStartfUseShowWindow;
    startup.wShowWindow = kSwShowNormal;
    PROCESS_INFORMATION process;
    // The path is the program itself, never a command line split at blanks.
    if (kernel32.CreateProcessA(path.c_str(), nullptr, 0, 0, nullptr, &startup, &process)) {
      if (process.hThread) kernel32.CloseHandle(process.hThread);
      if (process.hProcess) kernel32.CloseHandle(process.hProcess);
      return;
    }
  }
  user32.MessageBoxA(0, std::string(kSysInfoUnavailable).c_str(), title.c_str(), kMbOk);
}

}  // namespace zs::branding
