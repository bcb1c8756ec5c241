// ZSLocaleSettings in the catalogue: thirteen read-only properties.
#include "frame/bindings.h"
#include "sysinfo/locale_settings.h"
#include "sysinfo/member_helpers.h"

namespace zs {
namespace {

// A read-only property row.
template <auto Fn>
Member get(std::string_view name, int id, TypeRef type) {
  return Member{name, propertyId(id), MemberKind::Get, {}, type,
                sysinfo::noArguments<LocaleSettings, Fn>};
}

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      get<&LocaleSettings::NegativeSign>("NegativeSign", 0x00, t::String),
      get<&LocaleSettings::PositiveSign>("PositiveSign", 0x01, t::String),
      get<&LocaleSettings::NativeCountryName>("NativeCountryName", 0x02, t::String),
      get<&LocaleSettings::LanguageName>("LanguageName", 0x03, t::String),
      get<&LocaleSettings::Country>("Country", 0x04, t::String),
      get<&LocaleSettings::SysLanguageName>("SysLanguageName", 0x05, t::String),
      get<&LocaleSettings::SysLanguageID>("SysLanguageID", 0x06, t::Long),
      get<&LocaleSettings::CurrencySpecifier>("CurrencySpecifier", 0x07, t::String),
      get<&LocaleSettings::DecimalSpecifier>("DecimalSpecifier", 0x08, t::String),
      get<&LocaleSettings::ThousandSpecifier>("ThousandSpecifier", 0x09, t::String),
      get<&LocaleSettings::NumberFormat>("NumberFormat", 0x0A, t::String),
      get<&LocaleSettings::TimeFormat>("TimeFormat", 0x0B, t::String),
      get<&LocaleSettings::DateFormat>("DateFormat", 0x0C, t::String),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSLocaleSettings{members,
                                              [] { return ObjectPtr(create<LocaleSettings>()); }};

const ClassInfo* LocaleSettings::classInfo() const {
  return &zs::classInfo(ClassId::ZSLocaleSettings);
}

}  // namespace zs
