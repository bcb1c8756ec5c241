#include "cli/plain_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/error.h"

namespace zs::cli {
namespace {

template <class F>
std::string shortest(F value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) raise(err::kOverflow);
  return std::string(buf, end);
}

[[noreturn]] void notA(std::string_view what, std::string_view text) {
  throw Error(err::kInvalidCall, "'" + std::string(text) + "' is not " + std::string(what));
}

// A leading '+' is accepted once; "+-5" stays invalid.
std::string_view withoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

std::string shortestText(Double value) { return shortest(value); }
std::string shortestText(Single value) { return shortest(value); }

Double parseDecimal(std::string_view text) {
  std::string_view digits = withoutPlus(text);
  // from_chars also reads "inf" and "nan"; only plain decimal text is wanted.
  if (digits.empty() || digits.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
    notA("a decimal number", text);
  Double value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range) raise(err::kOverflow);
  if (ec != std::errc() || end != digits.data() + digits.size()) notA("a decimal number", text);
  return value;
}

std::int64_t parseWhole(std::string_view text, std::int64_t min, std::int64_t max) {
  std::string_view digits = withoutPlus(text);
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range && end == digits.data() + digits.size())
    raise(err::kOverflow);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
    notA("a whole number", text);
  if (value < min || value > max) raise(err::kOverflow);
  return value;
}

std::string currencyText(Currency value) {
  const bool negative = value.scaled < 0;
  // The magnitude as unsigned, so the most negative amount has one too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value.scaled) : static_cast<std::uint64_t>(value.scaled);
  std::string out = negative ? "-" : "";
  out += std::to_string(magnitude / Currency::kScale);
  std::uint64_t fraction = magnitude % Currency::kScale;
  if (fraction != 0) {
    std::string decimals = std::to_string(fraction);
    decimals.insert(0, 4 - decimals.size(), '0');
    decimals.erase(decimals.find_last_not_of('0') + 1);
    out += "." + decimals;
  }
  return out;
}

Currency parseCurrencyText(std::string_view text) {
  std::string_view s = text;
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  const auto point = s.find('.');
  std::string_view whole = s.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? std::string_view{} : s.substr(point + 1);
  auto allDigits = [](std::string_view d) {
    return d.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if ((whole.empty() && decimals.empty()) || !allDigits(whole) || !allDigits(decimals) ||
      (point != std::string_view::npos && decimals.empty()))
    notA("a Currency amount", text);
  if (decimals.size() > 4)
    throw Error(err::kInvalidCall,
                "'" + std::string(text) + "' has more than four decimals");

  // Accumulate the scaled magnitude, checking against the limit of the sign.
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  std::uint64_t magnitude = 0;
  auto push = [&](char c) {
    const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (magnitude > (limit - digit) / 10) raise(err::kOverflow);
    magnitude = magnitude * 10 + digit;
  };
  for (char c : whole) push(c);
  for (char c : decimals) push(c);
  for (std::size_t i = decimals.size(); i < 4; ++i) push('0');
  const std::int64_t scaled =
      negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return Currency::fromScaled(scaled);
}

}  // namespace zs::cli
