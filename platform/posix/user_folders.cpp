#include "platform/posix/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

bool absolute(const std::optional<std::string>& path) {
  return path && !path->empty() && path->front() == '/';
}

// An XDG base directory: the variable when it holds an absolute path, else
// the default below the home folder.
std::string baseDirectory(const EnvironmentReader& env, const char* variable,
                          const char* underHome) {
  const auto value = env(variable);
  if (absolute(value)) return *value;
  const std::string home = homeFolder(env);
  return home.empty() ? std::string() : home + "/" + underHome;
}

// A folder below a base directory; "" when the base is unknown.
std::string below(const std::string& base, const char* sub) {
  return base.empty() ? std::string() : base + "/" + sub;
}

// A user directory of user-dirs.dirs; unconfigured ones are the home folder,
// except the desktop, which is ~/Desktop (the rule of xdg-user-dir).
std::string userDirectory(const EnvironmentReader& env, const std::string& key) {
  const std::string home = homeFolder(env);
  const std::string config = baseDirectory(env, "XDG_CONFIG_HOME", ".config");
  if (!config.empty()) {
    std::ifstream in(config + "/user-dirs.dirs", std::ios::binary);
    std::string text(kMaxUserDirsBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    const auto dirs = parseUserDirs(text, home);
    if (const auto it = dirs.find(key); it != dirs.end()) return it->second;
  }
  if (home.empty()) return {};
  return key == "XDG_DESKTOP_DIR" ? home + "/Desktop" : home;
}

}  // namespace

EnvironmentReader processEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  };
}

std::string homeFolder(const EnvironmentReader& env) {
  const auto home = env("HOME");
  if (absolute(home)) return *home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

std::map<std::string, std::string> parseUserDirs(std::string_view text, const std::string& home) {
  std::map<std::string, std::string> dirs;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string key(line.substr(0, eq));
    std::string_view value = line.substr(eq + 1);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.remove_suffix(1);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    std::string path;
    for (std::size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      path.push_back(value[i]);
    }
    if (path == "$HOME" || path.rfind("$HOME/", 0) == 0) {
      if (home.empty()) continue;
      path = home + path.substr(5);
    } else if (path.empty() || path.front() != '/') {
      continue;
    }
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    dirs[key] = path;
  }
  return dirs;
}

std::string userFolder(int csidl, const EnvironmentReader& env) {
  switch (csidl) {
    case 2:  // programs: the user's application launchers
      return below(baseDirectory(env, "XDG_DATA_HOME", ".local/share"), "applications");
    case 5:  // my documents
      return userDirectory(env, "XDG_DOCUMENTS_DIR");
    case 7:  // start-up
      return below(baseDirectory(env, "XDG_CONFIG_HOME", ".config"), "autostart");
    case 16:  // desktop
      return userDirectory(env, "XDG_DESKTOP_DIR");
    case 20:  // fonts
      return below(baseDirectory(env, "XDG_DATA_HOME", ".local/share"), "fonts");
    case 21:  // templates
      return userDirectory(env, "XDG_TEMPLATES_DIR");
    case 23:  // common programs
      return "/usr/share/applications";
    case 24:  // common start-up
      return "/etc/xdg/autostart";
    case 26:  // application data (settings that roam)
      return baseDirectory(env, "XDG_CONFIG_HOME", ".config");
    case 28:  // local application data
      return baseDirectory(env, "XDG_DATA_HOME", ".local/share");
    case 32:  // internet cache
      return baseDirectory(env, "XDG_CACHE_HOME", ".cache");
    case 35:  // common application data
      return "/var/lib";
    case 39:  // my pictures
      return userDirectory(env, "XDG_PICTURES_DIR");
    case 40:  // profile
      return homeFolder(env);
    default:
      return {};
  }
}

}  // namespace zs::platform::posix
