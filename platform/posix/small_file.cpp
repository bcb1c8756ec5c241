#include "platform/posix/small_file.h"

#include <algorithm>
#include <fstream>

namespace zs::platform::posix {

std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read in steps: proc files report no size, and most of these files are a
  // few hundred bytes, so a buffer of the whole limit would be wasted.
  constexpr std::size_t kStep = 4096;
  std::string text;
  while (text.size() < limit && in) {
    const std::size_t at = text.size();
    text.resize(std::min(limit, at + kStep));
    in.read(text.data() + at, static_cast<std::streamsize>(text.size() - at));
    text.resize(at + static_cast<std::size_t>(in.gcount()));
  }
  return text;
}

}  // namespace zs::platform::posix
