// Locale conventions from ICU: Windows language ids, language and country
// names, separators, signs, the currency symbol and the short date and time
// patterns of an ICU locale id, as UTF-8 text.
#pragma once

#include <optional>
#include <string>

#include "platform/kernel32.h"

namespace zs::platform::posix {

// The Windows LCID of an ICU locale id (de_DE 0x407, en_US_POSIX 0x7F); 0
// when ICU knows none.
LCID lcidOfLocale(const std::string& id);

// The ICU id of a Windows LCID; nullopt when ICU knows none.
std::optional<std::string> localeOfLcid(LCID lcid);

// One item of GetLocaleInfoA for the locale; nullopt for a type it does not
// answer. An item the locale has no value for is "".
std::optional<std::string> localeItem(const std::string& id, LCTYPE type);

// The English name of a language id ("German (Germany)"), the way
// VerLanguageNameA names it; 0 "Language Neutral", 0x7F the invariant
// language; "" for an id ICU does not know.
std::string englishLanguageName(LANGID language);

}  // namespace zs::platform::posix
