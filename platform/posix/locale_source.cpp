#include "platform/posix/locale_source.h"

#include "platform/posix/os_release.h"
#include "platform/posix/small_file.h"

namespace zs::platform::posix {
namespace {

// A locale file is a few lines; more than this is not read.
constexpr std::size_t kLocaleFileLimit = 64 * 1024;

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAlnum(char c) { return isAlpha(c) || (c >= '0' && c <= '9'); }

bool allOf(std::string_view text, bool (*test)(char)) {
  for (const char c : text) {
    if (!test(c)) return false;
  }
  return true;
}

}  // namespace

std::string icuLocaleId(std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  std::string_view modifier;
  if (const auto at = name.find('@'); at != std::string_view::npos) {
    modifier = name.substr(at + 1);
    name = name.substr(0, at);
  }
  if (const auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  if (name == "C" || name == "POSIX") return kPosixLocaleId;
  std::string_view language = name, territory;
  if (const auto underscore = name.find('_'); underscore != std::string_view::npos) {
    language = name.substr(0, underscore);
    territory = name.substr(underscore + 1);
  }
  if (language.size() < 2 || language.size() > 3 || !allOf(language, isAlpha)) return {};
  if (territory.size() > 3 || !allOf(territory, isAlnum)) return {};
  std::string id(language);
  if (modifier == "latin") id += "_Latn";
  if (modifier == "cyrillic") id += "_Cyrl";
  if (!territory.empty()) id += "_" + std::string(territory);
  return id;
}

std::string userLocale(const EnvironmentReader& env, const char* category) {
  const char* order[] = {"LC_ALL", category, "LANG"};
  for (const char* variable : order) {
    if (!variable) continue;
    const auto value = env(variable);
    if (!value || value->empty()) continue;
    if (auto id = icuLocaleId(*value); !id.empty()) return id;
  }
  return kPosixLocaleId;
}

std::string langOfLocaleFile(std::string_view text) {
  // The same shell-like KEY=value lines as os-release.
  const auto values = parseOsRelease(text);
  const auto lang = values.find("LANG");
  return lang == values.end() ? std::string() : lang->second;
}

std::string systemLocale(const std::vector<std::string>& files, const EnvironmentReader& env) {
  for (const auto& file : files) {
    const auto text = readSmallFile(file, kLocaleFileLimit);
    if (!text) continue;
    const std::string lang = langOfLocaleFile(*text);
    if (auto id = icuLocaleId(lang); !id.empty()) return id;
  }
  return userLocale(env, nullptr);
}

}  // namespace zs::platform::posix
