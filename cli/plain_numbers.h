// Locale-independent number text for the command line and the automation
// host: the decimal point is always '.', whatever the user's locale says, so
// that what one machine writes another reads back unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/value_types.h"

namespace zs::cli {

// Shortest text that reads back to the same value ("2.5", "0.1", "1e+300").
// Infinities and NaN are written "Infinity", "-Infinity" and "NaN".
std::string shortestText(Double value);
std::string shortestText(Single value);

// Reads a finite decimal number ("2.5", "-1e-3"); raises 5 for other text.
Double parseDecimal(std::string_view text);

// Reads a whole decimal number in [min, max]: raises 5 for text that is not a
// whole number and 6 (Overflow) outside the range.
std::int64_t parseWhole(std::string_view text, std::int64_t min, std::int64_t max);

// Currency as decimal text with up to four decimals and no trailing zeros
// ("1234.5678", "-0.5", "7").
std::string currencyText(Currency value);

// Reads "[-+]digits[.digits]" with at most four decimals; raises 5 for other
// text and 6 outside the Currency range.
Currency parseCurrencyText(std::string_view text);

}  // namespace zs::cli
