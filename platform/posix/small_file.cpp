#include "platform/posix/small_file.h"

#include <fstream>

namespace zs::platform::posix {

std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(limit, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

}  // namespace zs::platform::posix
