#include "platform/posix/host_identity.h"

#include <cctype>
#include <fstream>

#include "platform/posix/os_release.h"
#include "platform/posix/utf8_fold.h"

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMachineIdLength = 32;

// The machine id: the file's first line, exactly 32 hexadecimal digits
// (anything else, "uninitialized" included, is no answer).
std::optional<std::string> machineId(const std::string& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  if (line.size() != kMachineIdLength) return std::nullopt;
  for (char c : line) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return line;
}

// PRETTY_NAME; os-release gives "Linux" as its default when the file is
// there without it.
std::optional<std::string> prettyName(const std::vector<std::string>& files) {
  if (files.empty()) return std::nullopt;
  const auto fields = readOsRelease(files);
  if (fields.empty()) return std::nullopt;
  const auto found = fields.find("PRETTY_NAME");
  return found != fields.end() && !found->second.empty() ? found->second : std::string("Linux");
}

}  // namespace

HostIdentitySources HostIdentitySources::system() {
  return {{"/etc/os-release", "/usr/lib/os-release"}, "/etc/machine-id", "/opt"};
}

bool isHostIdentityKey(const std::vector<std::string>& path) {
  static const std::vector<std::string> key = {"SOFTWARE", "MICROSOFT", "WINDOWS", "CURRENTVERSION"};
  if (path.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (foldName(path[i]) != key[i]) return false;
  }
  return true;
}

std::vector<std::pair<std::string, std::string>> hostIdentityValues(
    const HostIdentitySources& sources) {
  std::vector<std::pair<std::string, std::string>> values;
  if (auto name = prettyName(sources.osRelease)) values.emplace_back("ProductName", *name);
  if (!sources.machineId.empty()) {
    if (auto id = machineId(sources.machineId)) values.emplace_back("ProductId", *id);
  }
  if (!sources.programFiles.empty()) values.emplace_back("ProgramFilesDir", sources.programFiles);
  return values;
}

std::optional<std::string> hostIdentityValue(const HostIdentitySources& sources,
                                             std::string_view name) {
  const std::string wanted = foldName(name);
  for (auto& [valueName, data] : hostIdentityValues(sources)) {
    if (foldName(valueName) == wanted) return std::move(data);
  }
  return std::nullopt;
}

}  // namespace zs::platform::posix
