// The short date and time patterns of ICU as Windows date and time pictures.
// ICU's pattern letters are close to Windows' picture letters; the table in
// docs/locale_settings.md lists the mapping this applies.
#pragma once

#include <string>
#include <string_view>

namespace zs::platform::posix {

// The Windows picture of an ICU date or time pattern: day, month, year, era,
// weekday, hour, minute, second and AM/PM fields mapped, quoted literals and
// punctuation kept, fields Windows has no letter for (time zone, fractions of
// a second, week numbers, ...) dropped with the blanks that led to them.
std::u16string windowsPicture(std::u16string_view icuPattern);

}  // namespace zs::platform::posix
