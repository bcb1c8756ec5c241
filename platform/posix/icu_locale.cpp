#include "platform/posix/icu_locale.h"

#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/unum.h>

#include <memory>
#include <string_view>

#include "platform/ansi.h"
#include "platform/posix/date_picture.h"

namespace zs::platform::posix {
namespace {

// ICU texts are short; a longer one is treated as missing.
constexpr int kTextCapacity = 256;

std::string utf8(std::u16string_view text) { return toAnsi(text); }

// Calls `get(buffer, capacity, status)` and returns its UTF-16 text; "" when it fails.
template <class Get>
std::u16string icuText(Get get) {
  UChar buffer[kTextCapacity];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = get(buffer, kTextCapacity, &status);
  if (U_FAILURE(status) || length < 0 || length >= kTextCapacity) return {};
  return std::u16string(buffer, static_cast<std::size_t>(length));
}

struct NumberFormatClose {
  void operator()(UNumberFormat* format) const { unum_close(format); }
};
struct DateFormatClose {
  void operator()(UDateFormat* format) const { udat_close(format); }
};

std::string numberSymbol(const std::string& id, UNumberFormatSymbol symbol) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UNumberFormat, NumberFormatClose> format(
      unum_open(UNUM_DECIMAL, nullptr, 0, id.c_str(), nullptr, &status));
  if (U_FAILURE(status)) return {};
  return utf8(icuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return unum_getSymbol(format.get(), symbol, b, n, s);
  }));
}

// The short date (UDAT_SHORT) or the time with seconds (UDAT_MEDIUM) as a Windows picture.
std::string picture(const std::string& id, UDateFormatStyle time, UDateFormatStyle date) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UDateFormat, DateFormatClose> format(
      udat_open(time, date, id.c_str(), nullptr, 0, nullptr, 0, &status));
  if (U_FAILURE(status)) return {};
  return utf8(windowsPicture(icuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return udat_toPattern(format.get(), false, b, n, s);
  })));
}

std::string languageName(const std::string& id, const char* displayIn) {
  return utf8(icuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return uloc_getDisplayLanguage(id.c_str(), displayIn, b, n, s);
  }));
}

std::string countryName(const std::string& id, const char* displayIn) {
  return utf8(icuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return uloc_getDisplayCountry(id.c_str(), displayIn, b, n, s);
  }));
}

}  // namespace

LCID lcidOfLocale(const std::string& id) { return uloc_getLCID(id.c_str()); }

std::optional<std::string> localeOfLcid(LCID lcid) {
  char buffer[ULOC_FULLNAME_CAPACITY];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getLocaleForLCID(lcid, buffer, sizeof buffer, &status);
  if (U_FAILURE(status) || length <= 0 || length >= static_cast<int32_t>(sizeof buffer)) {
    return std::nullopt;
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::optional<std::string> localeItem(const std::string& id, LCTYPE type) {
  switch (type) {
    case kLocaleSNativeLangName: return languageName(id, id.c_str());
    case kLocaleSNativeCtryName: return countryName(id, id.c_str());
    case kLocaleSEngCountry: return countryName(id, "en");
    case kLocaleSDecimal: return numberSymbol(id, UNUM_DECIMAL_SEPARATOR_SYMBOL);
    case kLocaleSThousand: return numberSymbol(id, UNUM_GROUPING_SEPARATOR_SYMBOL);
    case kLocaleSCurrency: return numberSymbol(id, UNUM_CURRENCY_SYMBOL);
    case kLocaleSPositiveSign: return numberSymbol(id, UNUM_PLUS_SIGN_SYMBOL);
    case kLocaleSNegativeSign: return numberSymbol(id, UNUM_MINUS_SIGN_SYMBOL);
    case kLocaleSShortDate: return picture(id, UDAT_NONE, UDAT_SHORT);
    case kLocaleSTimeFormat: return picture(id, UDAT_MEDIUM, UDAT_NONE);
    default: return std::nullopt;
  }
}

std::string englishLanguageName(LANGID language) {
  if (language == 0) return "Language Neutral";
  if (language == 0x7F) return "Invariant Language (Invariant Country)";
  const auto id = localeOfLcid(language);
  if (!id) return {};
  return utf8(icuText([&](UChar* b, int32_t n, UErrorCode* s) {
    return uloc_getDisplayName(id->c_str(), "en", b, n, s);
  }));
}

}  // namespace zs::platform::posix
