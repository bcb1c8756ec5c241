// ZSLocaleSettings over the in-memory kernel32 and version.dll: the four-digit
// year rule, the number pattern, texts in several locales (multi-byte ones
// among them) cut by bytes, and the sources of re-raised errors.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "platform/ansi.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/fake_version.h"
#include "sysinfo/locale_settings.h"

namespace zs {
namespace {

using platform::testing::FakeKernel32;
using platform::testing::FakeVersion;
constexpr platform::LCID kUser = platform::kLocaleUserDefault;

struct LocaleSettingsFake : ::testing::Test {
  std::shared_ptr<FakeKernel32> kernel32 = std::make_shared<FakeKernel32>();
  std::shared_ptr<FakeVersion> version = std::make_shared<FakeVersion>();
  std::shared_ptr<LocaleSettings> settings;

  void SetUp() override {
    platform::Libraries libs;
    libs.kernel32 = kernel32;
    libs.version = version;
    settings = create<LocaleSettings>(libs);
  }
};

TEST_F(LocaleSettingsFake, DateFormatWidensTwoDigitYears) {
  const struct {
    const char* shortDate;
    const char16_t* expected;
  } cases[] = {
      {"M/d/yy", u"M/d/YYYY"},
      {"dd.MM.yy", u"dd.MM.YYYY"},
      {"yy/MM/dd", u"YYYY/MM/dd"},
      {"yy-MM-yy", u"YYYY-MM-YYYY"},      // both years
      {"yyyy-MM-dd", u"yyyy-MM-dd"},      // four letters already
      {"yYyY.MM.dd", u"yYyY.MM.dd"},      // in any case
      {"dd/MM", u"dd/MM"},                // no year
      {"yyy", u"YYYYy"},                  // resumes after the inserted text
      {"'Yy' d", u"'YYYY' d"},            // the rule knows no quoting
  };
  for (const auto& c : cases) {
    kernel32->setLocaleInfo(kUser, platform::kLocaleSShortDate, c.shortDate);
    EXPECT_EQ(settings->DateFormat(), c.expected) << c.shortDate;
  }
  EXPECT_EQ(kernel32->queries().back(), "GetLocaleInfoA(1024,31,256)");
}

TEST_F(LocaleSettingsFake, NumberFormatJoinsTheSeparators) {
  const struct {
    const char* decimal;
    const char* thousand;
    const char16_t* expected;
  } cases[] = {
      {".", ",", u"###,###.######"},
      {",", " ", u"### ###,######"},
      {",", "\xE2\x80\xAF", u"###\u202F###,######"},  // narrow no-break space, 3 bytes
      {".", "\xE2\x80\x99", u"###\u2019###.######"},  // right single quote, 3 bytes
      {".", "", u"######.######"},                    // an empty separator is still one
      {nullptr, ",", u""},                            // no decimal: nothing
      {".", nullptr, u""},                            // no thousands: nothing
  };
  for (const auto& c : cases) {
    kernel32 = std::make_shared<FakeKernel32>();
    SetUp();
    if (c.decimal) kernel32->setLocaleInfo(kUser, platform::kLocaleSDecimal, c.decimal);
    if (c.thousand) kernel32->setLocaleInfo(kUser, platform::kLocaleSThousand, c.thousand);
    EXPECT_EQ(settings->NumberFormat(), c.expected) << (c.thousand ? c.thousand : "(none)");
    EXPECT_EQ(kernel32->queries().front(), "GetLocaleInfoA(1024,14,128)");
  }
}

TEST_F(LocaleSettingsFake, SeveralLocales) {
  const struct {
    const char* name;
    const char* items[10];  // types 4, 8, 14, 15, 20, 31, 80, 81, 0x1002, 0x1003
    platform::LANGID language;
    const char* languageName;
    Long id;
  } locales[] = {
      {"en-US",
       {"English", "United States", ".", ",", "$", "M/d/yy", "+", "-", "United States",
        "h:mm:ss tt"},
       0x0409, "English (United States)", 1033},
      {"fr-FR",
       {"fran\xC3\xA7" "ais", "France", ",", "\xE2\x80\xAF", "\xE2\x82\xAC", "dd/MM/yyyy", "+",
        "\xE2\x88\x92", "France", "HH:mm:ss"},  // multi-byte separator, currency and minus
       0x040C, "French (France)", 1036},
  };
  const platform::LCTYPE types[10] = {4, 8, 14, 15, 20, 31, 80, 81, 0x1002, 0x1003};
  for (const auto& l : locales) {
    kernel32 = std::make_shared<FakeKernel32>();
    version = std::make_shared<FakeVersion>();
    SetUp();
    for (int i = 0; i < 10; ++i) kernel32->setLocaleInfo(kUser, types[i], l.items[i]);
    kernel32->setLangId(l.language);
    version->addLanguageName(l.language, l.languageName);
    const auto text = [](const char* utf8) { return platform::fromAnsi(utf8); };
    EXPECT_EQ(settings->LanguageName(), text(l.items[0])) << l.name;
    EXPECT_EQ(settings->NativeCountryName(), text(l.items[1])) << l.name;
    EXPECT_EQ(settings->DecimalSpecifier(), text(l.items[2])) << l.name;
    EXPECT_EQ(settings->ThousandSpecifier(), text(l.items[3])) << l.name;
    EXPECT_EQ(settings->CurrencySpecifier(), text(l.items[4])) << l.name;
    EXPECT_EQ(settings->PositiveSign(), text(l.items[6])) << l.name;
    EXPECT_EQ(settings->NegativeSign(), text(l.items[7])) << l.name;
    EXPECT_EQ(settings->Country(), text(l.items[8])) << l.name;
    EXPECT_EQ(settings->TimeFormat(), text(l.items[9])) << l.name;
    EXPECT_EQ(settings->SysLanguageID(), l.id) << l.name;
    EXPECT_EQ(settings->SysLanguageName(), text(l.languageName)) << l.name;
  }
}

TEST_F(LocaleSettingsFake, TextsAreCutByBytesAndAtTheFirstNul) {
  const struct {
    int count;  // what the call claims, NUL included
    const char16_t* expected;
  } cases[] = {
      {4, u"\u20AC"},    // the euro sign: three bytes and the NUL, one character
      {12, u"\u20AC"},   // a count past the text stops at its NUL
      {300, u"\u20AC"},  // a count past the buffer stays inside it
      {3, nullptr},      // a count that splits the character never reads past it
      {1, u""},
  };
  for (const auto& c : cases) {
    kernel32->setLocaleInfo(kUser, platform::kLocaleSCurrency, "\xE2\x82\xAC");
    kernel32->setLocaleCount(kUser, platform::kLocaleSCurrency, c.count);
    const String currency = settings->CurrencySpecifier();
    EXPECT_EQ(currency.find(u'\0'), String::npos) << c.count;
    if (c.expected) {
      EXPECT_EQ(currency, c.expected) << c.count;
    }
  }
  EXPECT_EQ(settings->NegativeSign(), u"") << "a failing call gives the empty string";

  version->addLanguageName(0x0409, "English (United States)");
  version->setLanguageCount(49);
  EXPECT_EQ(settings->SysLanguageName(), u"English (United States)");
  kernel32->setLangId(0x8001);
  EXPECT_EQ(settings->SysLanguageID(), -32767) << "widened as a signed 16-bit value";
  EXPECT_EQ(settings->SysLanguageName(), u"") << "an unknown language";
}

TEST_F(LocaleSettingsFake, ErrorsAreRaisedAgainWithTheMembersSource) {
  kernel32->raiseLocale(Error(7, "Out of memory", "Platform"));
  const struct {
    const char* member;
    const char* source;
  } cases[] = {
      {"DateFormat", "LocaleSettings GetDateFormat"},
      {"NumberFormat", "LocaleSettings GetNumberFormat"},
      {"SysLanguageName", "LocaleSettings GetSysLanguageName"},
      {"TimeFormat", "Platform"},  // no trap: unchanged
      {"SysLanguageID", "Platform"},
      {"Country", "Platform"},
  };
  for (const auto& c : cases) {
    std::vector<Argument> none;
    try {
      invoke(*settings, c.member, CallKind::Get, none);
      ADD_FAILURE() << c.member << " raised nothing";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 7) << c.member;
      EXPECT_EQ(e.description(), "Out of memory") << c.member;
      EXPECT_EQ(e.source(), c.source) << c.member;
    }
  }
}

TEST(LocaleSettingsReplace, EmptyFindIsRefusedWithItsOwnSource) {
  String text = u"yy";
  try {
    replaceIgnoringCase(text, u"", u"YYYY");
    ADD_FAILURE() << "an empty text to find would never end";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 5);
    EXPECT_EQ(e.source(), "LocaleSettings Replace");
  }
  EXPECT_EQ(text, u"yy");
  replaceIgnoringCase(text, u"Y", u"yy");
  EXPECT_EQ(text, u"yyyy") << "never matches inside the inserted text";
}

TEST_F(LocaleSettingsFake, DynamicCallsByIdAndName) {
  kernel32->setLocaleInfo(kUser, platform::kLocaleSShortDate, "d/M/yy");
  std::vector<Argument> none;
  EXPECT_EQ(invoke(*settings, propertyId(0x0C), CallKind::Get, none).string(), u"d/M/YYYY");
  EXPECT_EQ(invoke(*settings, "SysLanguageID", CallKind::Get, none).lng(), 1033);
}

}  // namespace
}  // namespace zs
