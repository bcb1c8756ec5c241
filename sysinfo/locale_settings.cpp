#include "sysinfo/locale_settings.h"

#include <algorithm>
#include <new>
#include <string_view>
#include <vector>

#include "core/case_fold.h"
#include "core/error.h"
#include "platform/ansi.h"

namespace zs {
namespace {

// Runs `body`; a run-time error leaving it is raised again with the same
// number and description and with `source` as its source.
template <class Body>
auto withErrorSource(const char* source, Body body) {
  try {
    return body();
  } catch (Error& error) {
    error.setSource(source);
    throw;
  } catch (const std::bad_alloc&) {
    throw Error(err::kOutOfMemory, std::string(standardDescription(err::kOutOfMemory)), source);
  }
}

// 1-based position of `find` in `text` at or after `start`, ignoring case; 0 when absent.
std::size_t positionIgnoringCase(StringView text, StringView find, std::size_t start) {
  for (std::size_t at = start - 1; at + find.size() <= text.size(); ++at) {
    if (sameFoldedKey(text.substr(at, find.size()), find)) return at + 1;
  }
  return 0;
}

}  // namespace

String bufferText(const char* buffer, std::size_t size, long long count) {
  if (count <= 0) return {};
  std::size_t length = std::min(static_cast<std::size_t>(count), size);
  length = static_cast<std::size_t>(std::find(buffer, buffer + length, '\0') - buffer);
  return platform::fromAnsi(std::string_view(buffer, length));
}

void replaceIgnoringCase(String& text, StringView find, StringView with) {
  withErrorSource("LocaleSettings Replace", [&] {
    if (find.empty()) raise(err::kInvalidCall);
    std::size_t start = 1;
    while (const std::size_t p = positionIgnoringCase(text, find, start)) {
      text = text.substr(0, p - 1) + String(with) + text.substr(p - 1 + find.size());
      start = p + with.size();
    }
  });
}

LocaleSettings::LocaleSettings(const platform::Libraries& libraries)
    : kernel32_(libraries.kernel32), version_(libraries.version) {}

std::optional<String> LocaleSettings::localeText(platform::LCTYPE type, int bufferSize) {
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const int count =
      kernel32_->GetLocaleInfoA(platform::kLocaleUserDefault, type, buffer.data(), bufferSize);
  if (count <= 0) return std::nullopt;
  // The count includes the terminating NUL.
  return bufferText(buffer.data(), buffer.size(), static_cast<long long>(count) - 1);
}

String LocaleSettings::DateFormat() {
  return withErrorSource("LocaleSettings GetDateFormat", [&] {
    String format = GetLocaleString(platform::kLocaleSShortDate);
    if (positionIgnoringCase(format, u"YYYY", 1) == 0) replaceIgnoringCase(format, u"YY", u"YYYY");
    return format;
  });
}

String LocaleSettings::NumberFormat() {
  return withErrorSource("LocaleSettings GetNumberFormat", [&] {
    const auto decimal = localeText(platform::kLocaleSDecimal, 128);
    if (!decimal) return String();
    const auto thousand = localeText(platform::kLocaleSThousand, 128);
    if (!thousand) return String();
    return u"###" + *thousand + u"###" + *decimal + u"######";
  });
}

String LocaleSettings::SysLanguageName() {
  return withErrorSource("LocaleSettings GetSysLanguageName", [&] {
    const platform::LANGID language = kernel32_->GetSystemDefaultLangID();
    char buffer[50] = {};
    const platform::DWORD count = version_->VerLanguageNameA(language, buffer, sizeof buffer);
    // This count leaves the NUL out.
    return bufferText(buffer, sizeof buffer, count);
  });
}

Long LocaleSettings::SysLanguageID() {
  return static_cast<std::int16_t>(kernel32_->GetSystemDefaultLangID());
}

String LocaleSettings::TimeFormat() { return GetLocaleString(platform::kLocaleSTimeFormat); }
String LocaleSettings::ThousandSpecifier() { return GetLocaleString(platform::kLocaleSThousand); }
String LocaleSettings::DecimalSpecifier() { return GetLocaleString(platform::kLocaleSDecimal); }
String LocaleSettings::CurrencySpecifier() { return GetLocaleString(platform::kLocaleSCurrency); }
String LocaleSettings::Country() { return GetLocaleString(platform::kLocaleSEngCountry); }
String LocaleSettings::LanguageName() { return GetLocaleString(platform::kLocaleSNativeLangName); }
String LocaleSettings::NativeCountryName() {
  return GetLocaleString(platform::kLocaleSNativeCtryName);
}
String LocaleSettings::PositiveSign() { return GetLocaleString(platform::kLocaleSPositiveSign); }
String LocaleSettings::NegativeSign() { return GetLocaleString(platform::kLocaleSNegativeSign); }

}  // namespace zs
