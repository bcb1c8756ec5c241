// The special folders of the current user on Linux: the XDG base directories
// ($XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_CACHE_HOME), the user directories of
// user-dirs.dirs, and the home folder ($HOME, else the passwd entry). One
// table maps every special-folder number (CSIDL) to one of them or to nothing;
// docs/special_folders.md lists it.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zs::platform::posix {

// Reads one environment variable; nullopt when it is not set.
using EnvironmentReader = std::function<std::optional<std::string>(const char* name)>;

// The process's environment.
EnvironmentReader processEnvironment();

// The home folder: $HOME when set and absolute, else the passwd entry of the
// effective user; "" when neither is known.
std::string homeFolder(const EnvironmentReader& env);

// The XDG_*_DIR entries of a user-dirs.dirs text, "$HOME/" expanded; entries
// that are neither absolute nor relative to $HOME are skipped, as the format says.
std::map<std::string, std::string> parseUserDirs(std::string_view text, const std::string& home);

// The folder of a special-folder number for this user; "" when the folder has
// no Linux counterpart (printers, network places, Windows' own folders).
std::string userFolder(int csidl, const EnvironmentReader& env);

}  // namespace zs::platform::posix
