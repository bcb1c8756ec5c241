#include "platform/posix/store_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace zs::platform::posix {

namespace {

constexpr const char* kMachineFolder = "/var/lib/zavrin";
constexpr const char* kUserFileName = "user.db";
constexpr const char* kMachineFileName = "machine.db";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string homeFolder() {
  std::string home = environment("HOME");
  if (!home.empty()) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "/";
}

}  // namespace

StoreLocation StoreLocation::inFolder(const std::string& folder) {
  std::string base = folder;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  StoreLocation location;
  location.userFile = base + "/" + kUserFileName;
  location.machineFile = base + "/" + kMachineFileName;
  return location;
}

StoreLocation StoreLocation::fromEnvironment() {
  const std::string moved = environment("ZAVRIN_REGISTRY_DIR");
  if (!moved.empty()) {
    StoreLocation location = inFolder(moved);
    location.host = HostIdentitySources::system();
    return location;
  }
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory
  // rules require.
  std::string data = environment("XDG_DATA_HOME");
  if (data.empty() || data.front() != '/') data = homeFolder() + "/.local/share";
  StoreLocation location;
  location.userFile = data + "/zavrin/" + kUserFileName;
  location.machineFile = std::string(kMachineFolder) + "/" + kMachineFileName;
  location.host = HostIdentitySources::system();
  return location;
}

}  // namespace zs::platform::posix
