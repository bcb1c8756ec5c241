#include "platform/posix/open_target.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>

#include "core/ascii.h"

namespace zs::platform::posix {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && sameName(text.substr(0, prefix.size()), prefix);
}

bool unreserved(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string_view uriScheme(std::string_view text) {
  // RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":". One letter is
  // not taken for a scheme: "C:" is a drive.
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return {};
  for (std::size_t i = 1; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == ':') return i >= 2 ? text.substr(0, i) : std::string_view{};
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

std::string fileUri(std::string_view absolutePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char ch : absolutePath) {
    const auto c = static_cast<unsigned char>(ch);
    if (unreserved(c)) {
      uri += ch;
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

std::optional<std::vector<std::string>> openCommand(std::string_view target) {
  if (target.empty() || target.front() == '-') return std::nullopt;
  const std::string text(target);
  if (startsWithNoCase(target, "mailto:")) return std::vector<std::string>{"xdg-email", text};
  if (!uriScheme(target).empty()) return std::vector<std::string>{"xdg-open", text};
  struct stat info {};
  if (::stat(text.c_str(), &info) == 0) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(text, error);
    if (error) return std::nullopt;
    return std::vector<std::string>{"xdg-open", fileUri(absolute.lexically_normal().string())};
  }
  if (startsWithNoCase(target, "www.")) return std::vector<std::string>{"xdg-open", "http://" + text};
  if (startsWithNoCase(target, "ftp.")) return std::vector<std::string>{"xdg-open", "ftp://" + text};
  return std::nullopt;
}

}  // namespace zs::platform::posix
