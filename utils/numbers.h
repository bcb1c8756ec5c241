// ZSNumbers: whole numbers between binary, octal, decimal and hexadecimal
// text, and random identifiers over five alphabets.
#pragma once


#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"

namespace zs {

// The alphabet selector of GenerateRandomID (ZSNumbersConstants).
enum NumbersBase : Long {
  zvBinaryBase = 0,
  zvOctalBase = 1,
  zvDecimalBase = 2,
  zvHexidecimalBase = 3,
  zvAlphaNumericBase = 4,
};

class Numbers : public Control {
 public:

  // Each text parameter is the caller's variable; the two-step conversions
  // leave the decimal text of the first step in it (see docs/numbers.md).
  Variant BinToOct(String& BinaryValue);
  Variant BinToHex(String& BinaryValue);
  Variant BinToDec(String& BinaryValue);
  Variant OctToBin(String& OctalValue);
  Variant OctToHex(String& OctalValue);
  Variant OctToDec(String& OctalValue);
  Variant DecToBin(String& DecimalValue);
  Variant DecToOct(String& DecimalValue);
  Variant DecToHex(String& DecimalValue);
  Variant HexToBin(String& HexidecimalValue);
  Variant HexToOct(String& HexidecimalValue);
  Variant HexToDec(String& HexidecimalValue);
  Variant GenerateRandomID(Integer& NumDigits, Long& BaseX);
  Variant GenerateRandomID(Integer& NumDigits);  // BaseX defaults to zvDecimalBase

  const ClassInfo* classInfo() const override;
};

}  // namespace zs
