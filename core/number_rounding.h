// Rounding and range helpers shared by the number conversions and the Variant
// arithmetic. All rounding is to the nearest value, halves to even, and does
// not depend on the floating-point rounding mode of the thread.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/value_types.h"

namespace zs::detail {

// x rounded to an integer, halves to even; x must be finite.
inline long double roundHalfEven(long double x) {
  long double floor = std::floor(x);
  long double diff = x - floor;  // exact: x and floor share the exponent range
  if (diff > 0.5L) return floor + 1;
  if (diff < 0.5L) return floor;
  return std::fmod(floor, 2.0L) == 0 ? floor : floor + 1;
}

// x rounded half to even when the result lies in [lo, hi]; nothing otherwise
// (also for NaN and infinities).
inline std::optional<std::int64_t> roundToInt64(long double x, std::int64_t lo, std::int64_t hi) {
  if (!std::isfinite(x)) return std::nullopt;
  long double r = roundHalfEven(x);
  // lo and hi are exact in long double when it has 64 mantissa bits; with a
  // narrower long double the extremes of Currency are rejected conservatively.
  if (r < static_cast<long double>(lo) || r > static_cast<long double>(hi)) return std::nullopt;
  if (std::numeric_limits<long double>::digits < 64 &&
      (r >= 9223372036854775807.0L || r <= -9223372036854775807.0L))
    return std::nullopt;
  return static_cast<std::int64_t>(r);
}

// a * b / divisor, exact and rounded half to even; nothing when the result
// lies outside the 64-bit range. Works without a 128-bit integer type, which
// the 32-bit Windows compiler lacks.
std::optional<std::int64_t> mulDivHalfEven(std::int64_t a, std::int64_t b, std::uint32_t divisor);

// A magnitude with a sign as a 64-bit integer; nothing when it does not fit.
inline std::optional<std::int64_t> signedFromMagnitude(std::uint64_t magnitude, bool negative) {
  constexpr std::uint64_t kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) return std::nullopt;
  // Conversion to a signed type wraps modulo 2^64, so 0 - 2^63 gives INT64_MIN.
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

inline constexpr std::int64_t kIntegerMin = std::numeric_limits<Integer>::min();
inline constexpr std::int64_t kIntegerMax = std::numeric_limits<Integer>::max();
inline constexpr std::int64_t kLongMin = std::numeric_limits<Long>::min();
inline constexpr std::int64_t kLongMax = std::numeric_limits<Long>::max();
inline constexpr std::int64_t kCurrencyMin = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kCurrencyMax = std::numeric_limits<std::int64_t>::max();

// The Currency nearest to d (halves to even); nothing outside the range. The
// product d * 10000 is exact in an 80-bit long double (53 + 10 mantissa bits).
inline std::optional<Currency> currencyFromDouble(Double d) {
  auto scaled = roundToInt64(static_cast<long double>(d) * Currency::kScale, kCurrencyMin,
                             kCurrencyMax);
  if (!scaled) return std::nullopt;
  return Currency::fromScaled(*scaled);
}

inline Double currencyToDouble(Currency c) {
  return static_cast<Double>(static_cast<long double>(c.scaled) / Currency::kScale);
}

// The largest magnitude that still rounds to a finite Single: FLT_MAX plus half
// an ulp (a tie rounds to the even neighbour, which is infinity).
inline constexpr Double kSingleOverflow = 0x1.ffffffp127;

// d as a Single; nothing when it overflows the Single range (or is not finite).
inline std::optional<Single> singleFromDouble(Double d) {
  if (std::isnan(d) || std::fabs(d) >= kSingleOverflow) return std::nullopt;
  return static_cast<Single>(d);
}

}  // namespace zs::detail
