#include "core/number_rounding.h"

#include <limits>

namespace zs::detail {

std::optional<std::int64_t> mulDivHalfEven(std::int64_t a, std::int64_t b, std::uint32_t divisor) {
  bool negative = (a < 0) != (b < 0);
  auto magnitude = [](std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  };
  std::uint64_t x = magnitude(a), y = magnitude(b);

  // The 128-bit product as four 32-bit limbs, most significant first.
  constexpr std::uint64_t kLow = 0xFFFFFFFFu;
  std::uint64_t p00 = (x & kLow) * (y & kLow), p01 = (x & kLow) * (y >> 32);
  std::uint64_t p10 = (x >> 32) * (y & kLow), p11 = (x >> 32) * (y >> 32);
  std::uint64_t mid = (p00 >> 32) + (p01 & kLow) + (p10 & kLow);
  std::uint64_t low = (p00 & kLow) | (mid << 32);
  std::uint64_t high = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
  const std::uint64_t limbs[4] = {high >> 32, high & kLow, low >> 32, low & kLow};

  // Long division by a 32-bit divisor, one limb at a time.
  std::uint64_t quotient[4] = {};
  std::uint64_t remainder = 0;
  for (int k = 0; k < 4; ++k) {
    std::uint64_t current = (remainder << 32) | limbs[k];
    quotient[k] = current / divisor;
    remainder = current % divisor;
  }
  if (quotient[0] != 0 || quotient[1] != 0) return std::nullopt;
  std::uint64_t q = (quotient[2] << 32) | quotient[3];

  std::uint64_t twice = remainder * 2;
  if (twice > divisor || (twice == divisor && (q & 1) != 0)) {
    if (q == std::numeric_limits<std::uint64_t>::max()) return std::nullopt;
    ++q;
  }
  return signedFromMagnitude(q, negative);
}

}  // namespace zs::detail
