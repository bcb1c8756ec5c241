#include "platform/posix/os_release.h"

#include <algorithm>

#include "platform/posix/small_file.h"

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxOsReleaseBytes = 64 * 1024;

bool validKey(std::string_view key) {
  if (key.empty()) return false;
  for (const char c : key) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return !(key[0] >= '0' && key[0] <= '9');
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The value of a line; false when its quotes do not close.
bool unquote(std::string_view raw, std::string& out) {
  out.clear();
  if (raw.empty()) return true;
  const char quote = raw.front();
  if (quote != '"' && quote != '\'') {
    out.assign(raw);
    return true;
  }
  if (raw.size() < 2 || raw.back() != quote) return false;
  const std::string_view inner = raw.substr(1, raw.size() - 2);
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const char c = inner[i];
    if (quote == '"' && c == '\\' && i + 1 < inner.size() &&
        std::string_view("\"\\$`").find(inner[i + 1]) != std::string_view::npos) {
      out.push_back(inner[++i]);
    } else {
      out.push_back(c);
    }
  }
  return true;
}

}  // namespace

std::map<std::string, std::string> parseOsRelease(std::string_view text) {
  std::map<std::string, std::string> values;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = trim(text.substr(at, end - at));
    at = end + 1;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq);
    std::string value;
    if (!validKey(key) || !unquote(line.substr(eq + 1), value)) continue;
    values[std::string(key)] = std::move(value);
  }
  return values;
}

std::map<std::string, std::string> readOsRelease(const std::vector<std::string>& files) {
  for (const auto& file : files) {
    if (const auto text = readSmallFile(file, kMaxOsReleaseBytes)) return parseOsRelease(*text);
  }
  return {};
}

}  // namespace zs::platform::posix
