// The shared Variant rules: arithmetic, concatenation, equality, conversions
// between text and numbers, hexadecimal and octal text.
//
// Every operation checks its floating-point result: a non-zero number divided by
// zero raises 11, an overflow or an undefined result (0/0, inf-inf) raises 6; an
// underflow to zero is not an error.
#pragma once

#include "core/variant.h"

namespace zs {

// Rule 1: addition, subtraction, multiplication with Integer -> Long -> Double
// promotion; Null propagates; Strings are concatenated under addition and
// converted to Double otherwise; Boolean counts as Integer.
Variant add(const Variant& a, const Variant& b);
Variant subtract(const Variant& a, const Variant& b);
Variant multiply(const Variant& a, const Variant& b);

// Rule 2: both operands as text, joined. Null counts as the empty string.
Variant concat(const Variant& a, const Variant& b);

// Rule 3: numbers by value across kinds, Strings by code unit, Empty equals 0
// and "", a number never equals a String, anything with Null is not true.
bool equals(const Variant& a, const Variant& b);

// Rule 4: text to number. Accepts blanks, a sign, the locale's decimal
// separator, an exponent, &H and &O; raises 13 for other text, 6 out of range
// (Long and Currency round half to even).
Double parseDouble(StringView text);
Long parseLong(StringView text);
Currency parseCurrency(StringView text);

// Conversions of any Variant to a number kind (Empty gives 0, Null raises 94,
// Boolean gives -1 or 0, Strings go through rule 4, Objects and Errors raise 13).
Integer toInteger(const Variant& v);
Long toLong(const Variant& v);
Single toSingle(const Variant& v);
Double toDouble(const Variant& v);
Currency toCurrency(const Variant& v);
Boolean toBoolean(const Variant& v);

// Rule 5: number to text. At most 15 significant digits for Double (exponent
// form from 1E15), 7 for Single, Currency with up to four decimals, Boolean as
// True or False, Empty as "". Null raises 94; Objects and Errors raise 13.
String toText(const Variant& v);
String formatDouble(Double d);
String formatSingle(Single s);
String formatCurrency(Currency c);

// Rule 6: hexadecimal and octal text. The value is taken as a Long (Integer
// values keep their 16-bit width for the two's complement). Empty gives "0",
// Null gives Null.
Variant hexText(const Variant& v);
Variant octText(const Variant& v);

// The floating-point check after an operation: raises 11 for x/0 (x != 0),
// 6 for an overflow or a NaN.
Double checked(Double result, bool divisionByZero = false);

// Floating-point division with that check: b == 0 raises 11 when a != 0 and 6
// when a == 0 (no defined result).
Double divide(Double a, Double b);

// The decimal separator used by rules 4 and 5: the user's locale's, read once
// from the platform (the environment on Linux, the user locale on Windows).
// Tests and hosts may set it explicitly.
char16_t decimalSeparator();
void setDecimalSeparator(char16_t separator);

}  // namespace zs
