// Member signatures as `zavrin members` prints them:
//   BinToDec(ByRef BinaryValue As String) As Variant
//   GenerateRandomID(ByRef NumDigits As Integer, Optional ByRef BaseX As ZSNumbersConstants = 2) As Variant
//   KeyNames As String                  (a field)
#pragma once

#include <string>

#include "core/members.h"

namespace zs::cli {

std::string signatureText(const Member& member);

}  // namespace zs::cli
