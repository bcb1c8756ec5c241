// ZSLocaleSettings: the conventions of the user's default locale (date, time
// and number formats, separators, signs, currency, names) and the system's
// default language. Every read asks the system afresh.
#pragma once

#include <memory>
#include <optional>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/kernel32.h"
#include "platform/libraries.h"

namespace zs {

class LocaleSettings : public Control {
 public:
  explicit LocaleSettings(const platform::Libraries& libraries = platform::systemLibraries());

  // The short date format with a two-letter year widened to four ("M/d/yy"
  // gives "M/d/YYYY"); errors leave with the source "LocaleSettings GetDateFormat".
  String DateFormat();
  String TimeFormat();
  // "###" thousands "###" decimal "######"; "" when either separator is
  // unknown; errors leave with the source "LocaleSettings GetNumberFormat".
  String NumberFormat();
  String ThousandSpecifier();
  String DecimalSpecifier();
  String CurrencySpecifier();
  // The system's language id, widened as a signed 16-bit value.
  Long SysLanguageID();
  // Its English name; errors leave with the source "LocaleSettings GetSysLanguageName".
  String SysLanguageName();
  String Country();
  String LanguageName();
  String NativeCountryName();
  String PositiveSign();
  String NegativeSign();

  const ClassInfo* classInfo() const override;

 private:
  // One item of the user's locale read into a buffer of `bufferSize` bytes;
  // nullopt when the call fails.
  std::optional<String> localeText(platform::LCTYPE type, int bufferSize);
  String GetLocaleString(platform::LCTYPE type) { return localeText(type, 256).value_or(String()); }

  std::shared_ptr<platform::Kernel32> kernel32_;
  std::shared_ptr<platform::Version> version_;
};

// The text a call left in a buffer of `size` bytes that reported `count`
// bytes: cut at the count (bytes, not characters of the converted text), at
// the buffer's end and at the first NUL, then converted from the 8-bit code page.
String bufferText(const char* buffer, std::size_t size, long long count);

// Replaces every occurrence of `find` in `text` (compared without regard to
// case) by `with`, resuming the search after each inserted text. An empty
// `find` raises 5; errors leave with the source "LocaleSettings Replace".
void replaceIgnoringCase(String& text, StringView find, StringView with);

}  // namespace zs
