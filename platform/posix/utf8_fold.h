// Letter case of the store's names. Names are bytes in the system code page
// (UTF-8 on Linux); they are folded through the same table as Collection keys
// (zs::upperCaseUnit), so two names are one name in the store exactly when the
// collections treat the same texts as one key.
#pragma once

#include <string>
#include <string_view>

namespace zs::platform::posix {

// Each well-formed one- to three-byte UTF-8 sequence (a UTF-16 code unit,
// a lone surrogate included) becomes the UTF-8 form of its upper case by
// zs::upperCaseUnit; four-byte sequences (which fold to themselves) and bytes
// that are not well-formed UTF-8 are copied unchanged, so folding never fails.
std::string foldName(std::string_view name);

}  // namespace zs::platform::posix
