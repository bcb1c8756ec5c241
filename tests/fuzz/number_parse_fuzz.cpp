// The text-to-number rules of the Variant: any text is a number or error 13 or
// 6; the Double, Long and Currency readings of one text agree; a Double reads
// back from its text form to 15 significant digits.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/error.h"
#include "core/variant_ops.h"

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

template <class F>
bool attempt(F&& read) {
  try {
    read();
    return true;
  } catch (const zs::Error& e) {
    check(e.number() == 13 || e.number() == 6);
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool dot = (zs::setDecimalSeparator(u'.'), true);
  (void)dot;
  if (size == 0) return 0;
  // The first byte picks the encoding: each byte one code unit, or pairs of
  // bytes as UTF-16 code units.
  zs::String text;
  if (data[0] & 1) {
    for (std::size_t i = 1; i + 1 < size; i += 2)
      text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  } else {
    for (std::size_t i = 1; i < size; ++i) text.push_back(static_cast<char16_t>(data[i]));
  }

  zs::Double d = 0;
  zs::Long l = 0;
  zs::Currency c;
  const bool isDouble = attempt([&] { d = zs::parseDouble(text); });
  const bool isLong = attempt([&] { l = zs::parseLong(text); });
  const bool isCurrency = attempt([&] { c = zs::parseCurrency(text); });
  if (isDouble) check(std::isfinite(d));
  // Long and Currency are the same number, rounded half to even.
  if (isLong) check(isDouble && std::fabs(d - l) <= 0.5);
  if (isCurrency) {
    const double units = static_cast<double>(c.scaled) / zs::Currency::kScale;
    check(isDouble && std::fabs(d - units) <= 0.00005 + std::fabs(d) * 1e-15);
  }
  if (isDouble) {
    // Fifteen digits round the largest doubles up beyond the range: those
    // overflow when read back, as they do in the runtime these rules follow.
    try {
      const zs::Double back = zs::parseDouble(zs::formatDouble(d));
      check(std::fabs(back - d) <= std::fabs(d) * 1e-14);
    } catch (const zs::Error& e) {
      check(e.number() == 6 && std::fabs(d) > 1.797693134862315e308 * (1 - 1e-15));
    }
  }
  return 0;
}
