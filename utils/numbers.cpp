// ZSNumbers: conversions between binary, octal, decimal and hexadecimal text,
// and random identifiers.
//
// Three primitives do the work (binary to decimal, octal/hexadecimal to
// decimal, decimal to binary) together with the hexadecimal and octal text of
// the Variant rules. The other conversions chain two steps through the decimal
// text of the first one, which they leave in the caller's variable. Every
// by-reference write happens as the algorithm goes, so a later step that
// raises leaves the earlier writes in place.
#include "utils/numbers.h"

#include <array>
#include <random>
#include <cmath>
#include <optional>

#include "core/ascii.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs {
namespace {

// Component-defined conversion failures.
constexpr int kConversionFailed = 99;
const char* const kCantConvert = "Can't Convert.";
const char* const kMaxLength = "Max len is 50 character.";

// The longest binary text BinToDec takes: fifty digits stay exact in a Double.
constexpr std::size_t kMaxBinaryDigits = 50;

// The largest value DecToBin writes in binary (the upper bound of its top
// position, 2^49 up to this value).
constexpr Double kBinaryCeiling = 922337203685475.0;

// The length of a text taken as an Integer: above 32767 it overflows.
std::size_t integerLength(const String& text) {
  if (text.size() > 32767) raise(err::kOverflow);
  return text.size();
}

// The constant weight 2^k of a binary digit, with the kind that the constant
// 2^k has: Integer up to 2^14, Long up to 2^30, Double above.
Variant weight(int k) {
  if (k <= 14) return Variant(static_cast<Integer>(1 << k));
  if (k <= 30) return Variant(static_cast<Long>(Long{1} << k));
  return Variant(std::ldexp(1.0, k));
}

// Octal or hexadecimal text to its value, growing Integer -> Long -> Double
// by the Variant rules. An empty text gives Empty. The text is not changed.
Variant positionalToDec(const String& text, Integer base) {
  Variant result;
  const std::size_t length = integerLength(text);
  for (std::size_t i = 0; i < length; ++i) {
    const int digit = digitValue(text[i], base);
    if (digit < 0) raise(kConversionFailed, kCantConvert);
    result = add(multiply(result, Variant(base)), Variant(static_cast<Integer>(digit)));
  }
  return result;
}

// The alphabets of GenerateRandomID by BaseX; the order of the characters
// matters, since a drawn position selects one.
constexpr std::array<std::u16string_view, 5> kAlphabets = {
    u"01",
    u"01234567",
    u"0123456789",
    u"ABCDEF0123456789",
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789",
};

// One generator per thread, seeded once from the system's entropy source when
// the thread first draws: calls and objects that follow each other closely
// still draw different identifiers, and an object carries no generator state.
std::mt19937& generator() {
  thread_local std::mt19937 random = [] {
    std::random_device entropy;
    std::seed_seq seed{entropy(), entropy(), entropy(), entropy(),
                       entropy(), entropy(), entropy(), entropy()};
    return std::mt19937(seed);
  }();
  return random;
}

}  // namespace

Variant Numbers::BinToDec(String& BinaryValue) {
  const std::size_t length = integerLength(BinaryValue);
  for (char16_t c : BinaryValue)
    if (c != u'0' && c != u'1') raise(kConversionFailed, kCantConvert);
  if (length == 0 || length > kMaxBinaryDigits) raise(kConversionFailed, kMaxLength);

  // Every digit but the last is read from the front of the caller's text and
  // then removed from it; the last digit stays.
  Variant result;
  for (std::size_t i = 0; i + 1 < length; ++i) {
    if (BinaryValue.front() == u'1')
      result = add(result, weight(static_cast<int>(length - 1 - i)));
    BinaryValue.erase(0, 1);
  }
  return add(result, Variant(static_cast<Integer>(BinaryValue.front() == u'1' ? 1 : 0)));
}

Variant Numbers::OctToDec(String& OctalValue) { return positionalToDec(OctalValue, 8); }

Variant Numbers::HexToDec(String& HexidecimalValue) {
  return positionalToDec(HexidecimalValue, 16);
}

Variant Numbers::DecToOct(String& DecimalValue) {
  return octText(Variant(parseLong(DecimalValue)));
}

Variant Numbers::DecToHex(String& DecimalValue) {
  return hexText(Variant(parseLong(DecimalValue)));
}

Variant Numbers::DecToBin(String& DecimalValue) {
  // Position p (1 to 50) stands for 2^(50-p) and starts as the digit 0.
  // Position 0 is the table's empty cell; it never adds a character.
  std::array<char16_t, 51> digits;
  digits.fill(u'0');

  DecimalValue = formatCurrency(parseCurrency(DecimalValue));
  for (;;) {
    Double v = parseDouble(DecimalValue);
    if (v == 0) break;
    if (v == 1) {
      digits[50] = u'1';
      v -= 1;
    } else {
      int found = 0;
      for (int k = 1; k <= 49 && found == 0; ++k) {
        const Double low = std::ldexp(1.0, k);
        const Double high = k == 49 ? kBinaryCeiling : std::ldexp(1.0, k + 1) - 1;
        if (low <= v && v <= high) found = k;
      }
      if (found == 0) break;
      digits[static_cast<std::size_t>(50 - found)] = u'1';
      v -= std::ldexp(1.0, found);
    }
    DecimalValue = formatDouble(v);
  }

  // From the first 1 through position 50; with no 1 at all, positions 0 to 50,
  // which is fifty 0 digits.
  std::size_t first = 1;
  while (first < digits.size() && digits[first] != u'1') ++first;
  if (first == digits.size()) first = 1;
  return Variant(String(digits.begin() + static_cast<std::ptrdiff_t>(first), digits.end()));
}

Variant Numbers::BinToOct(String& BinaryValue) {
  BinaryValue = toText(BinToDec(BinaryValue));
  return octText(Variant(parseLong(BinaryValue)));
}

Variant Numbers::BinToHex(String& BinaryValue) {
  BinaryValue = toText(BinToDec(BinaryValue));
  return hexText(Variant(parseLong(BinaryValue)));
}

Variant Numbers::OctToBin(String& OctalValue) {
  OctalValue = toText(OctToDec(OctalValue));
  return DecToBin(OctalValue);
}

Variant Numbers::OctToHex(String& OctalValue) {
  OctalValue = toText(OctToDec(OctalValue));
  return DecToHex(OctalValue);
}

Variant Numbers::HexToBin(String& HexidecimalValue) {
  HexidecimalValue = toText(HexToDec(HexidecimalValue));
  return DecToBin(HexidecimalValue);
}

Variant Numbers::HexToOct(String& HexidecimalValue) {
  HexidecimalValue = toText(HexToDec(HexidecimalValue));
  return DecToOct(HexidecimalValue);
}

Variant Numbers::GenerateRandomID(Integer& NumDigits, Long& BaseX) {
  if (NumDigits < 0) raise(err::kInvalidCall);
  if (BaseX < 0 || BaseX >= static_cast<Long>(kAlphabets.size())) return Variant(String());

  const std::u16string_view alphabet = kAlphabets[static_cast<std::size_t>(BaseX)];
  const auto n = static_cast<Double>(alphabet.size());
  String id;
  id.reserve(static_cast<std::size_t>(NumDigits));
  for (Integer i = 0; i < NumDigits; ++i) {
    // A uniform Single in [0, 1): 24 random bits scaled by 2^-24, exact in a
    // Single and never 1.
    const Single r = static_cast<Single>(generator()() >> 8) * 0x1p-24f;
    const auto k = static_cast<std::size_t>(std::floor(static_cast<Double>(r) * n + 1));
    id += alphabet[k - 1];
  }
  return Variant(std::move(id));
}

Variant Numbers::GenerateRandomID(Integer& NumDigits) {
  Long base = zvDecimalBase;
  return GenerateRandomID(NumDigits, base);
}

}  // namespace zs
