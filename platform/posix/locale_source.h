// Which locale the user and the system run in on Linux, read without
// setlocale (which would change number parsing in the whole process): the
// user's from the environment, the system's from its locale file. Names are
// turned into ICU locale ids; docs/locale_settings.md has the precedence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/user_folders.h"

namespace zs::platform::posix {

// The ICU id used for the C and POSIX locales and for names ICU does not know.
inline constexpr const char* kPosixLocaleId = "en_US_POSIX";

// The ICU id of a POSIX locale name: "de_DE.UTF-8@euro" gives de_DE,
// "sr_RS@latin" sr_Latn_RS, "C", "POSIX" and "C.UTF-8" en_US_POSIX. "" for a
// name that is empty, a path or not of the form language[_territory][.codeset][@modifier].
std::string icuLocaleId(std::string_view posixName);

// The user's locale for a category variable ("LC_NUMERIC"; null for the
// locale as a whole): LC_ALL, then the category's variable, then LANG, the
// first that is set, not empty and a valid name; en_US_POSIX when none is.
std::string userLocale(const EnvironmentReader& env, const char* category);

// The LANG entry of a locale file (/etc/default/locale, /etc/locale.conf:
// shell-like KEY=value lines as in os-release); "" when absent.
std::string langOfLocaleFile(std::string_view text);

// The system's locale: LANG of the first readable file that has one, else the
// user's locale as a whole.
std::string systemLocale(const std::vector<std::string>& files, const EnvironmentReader& env);

}  // namespace zs::platform::posix
