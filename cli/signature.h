// Member signatures as `zavrin members` prints them:
//   BinToDec(ByRef BinaryValue As String) As Variant
//   GenerateRandomID(ByRef NumDigits As Integer, Optional ByRef BaseX As ZSNumbersConstants = 2) As Variant
//   KeyNames As String                  (a field)
#pragma once

#include <string>

#include "core/members.h"

namespace zs::cli {

std::string signatureText(const Member& member);

// A dispatch id in hexadecimal (its 32-bit pattern) and decimal:
// "0x60030002 1610809346", "0xFFFFFFFC -4".
std::string dispidHex(DispId id);

}  // namespace zs::cli
