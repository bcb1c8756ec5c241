// Case folding of key and value names, for comparing names without regard to
// letter case. Names are bytes in the system code page (UTF-8 on Linux).
#pragma once

#include <string>
#include <string_view>

namespace zs::platform::posix {

// Folds ASCII letters and the simple one-to-one lower-case mappings of the
// Latin-1 Supplement, Latin Extended-A, Greek and Cyrillic capitals. Bytes that
// are not well-formed UTF-8 pass through unchanged, so folding never fails and
// two different unfolded inputs only compare equal through letter case.
std::string foldName(std::string_view name);

}  // namespace zs::platform::posix
