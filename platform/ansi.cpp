#include "platform/ansi.h"

#ifdef _WIN32
#include <windows.h>

#include <limits>
#include <stdexcept>
#endif

namespace zs::platform {

#ifdef _WIN32

// Characters without a form in the code page become the code page's default
// character.
std::string toAnsi(zs::StringView text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 4)) {
    throw std::length_error("text too long for the system code page");
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, out.data(), size, nullptr, nullptr);
  return out;
}

zs::String fromAnsi(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw std::length_error("text too long for the system code page");
  }
  const int count = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
  if (size <= 0) return {};
  zs::String out(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), count, reinterpret_cast<wchar_t*>(out.data()),
                      size);
  return out;
}

#else

std::string toAnsi(zs::StringView text) { return zs::u8(text); }
zs::String fromAnsi(std::string_view text) { return zs::u16(text); }

#endif

}  // namespace zs::platform
