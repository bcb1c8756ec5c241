// The installation's identity on Linux, as the registry store answers it
// under HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion when the
// store holds no value of that name: ProductName is the os-release
// PRETTY_NAME, ProductId the machine id, ProgramFilesDir a fixed folder. Every
// other value of the key is the store's alone. docs/registry-store.md.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zs::platform::posix {

// Where the host's answers come from; an empty field answers nothing.
struct HostIdentitySources {
  std::vector<std::string> osRelease;  // the first readable one wins
  std::string machineId;               // a file holding 32 hexadecimal digits
  std::string programFiles;            // the folder ProgramFilesDir names

  bool empty() const { return osRelease.empty() && machineId.empty() && programFiles.empty(); }
  // The running system's files, and /opt for the programs' folder.
  static HostIdentitySources system();
};

// The key whose missing values the host answers, below HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kHostIdentityKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// Whether `path` (the levels below HKEY_LOCAL_MACHINE) names that key, in any
// letter case.
bool isHostIdentityKey(const std::vector<std::string>& path);

// The values the host answers, in a fixed order (ProductName, ProductId,
// ProgramFilesDir), each only when its source gives one.
std::vector<std::pair<std::string, std::string>> hostIdentityValues(
    const HostIdentitySources& sources);

// The host's answer for the value `name` (any letter case), if it has one.
std::optional<std::string> hostIdentityValue(const HostIdentitySources& sources,
                                             std::string_view name);

}  // namespace zs::platform::posix
