// The typed literals of `zavrin call`: any text is an argument or error 5 or
// 6, and a number reads back from its printed form unchanged.
#include <cstddef>
#include <cstdint>
#include <bit>
#include <string>
#include <string_view>

#include "cli/literals.h"
#include "core/error.h"

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

// The literal prefix that reads a value of this kind back, if there is one.
const char* prefixOf(zs::Kind kind) {
  switch (kind) {
    case zs::Kind::Integer: return "i:";
    case zs::Kind::Long: return "l:";
    case zs::Kind::Single: return "sg:";
    case zs::Kind::Double: return "d:";
    case zs::Kind::Currency: return "c:";
    case zs::Kind::Boolean: return "b:";
    default: return nullptr;
  }
}

bool sameValue(const zs::Variant& a, const zs::Variant& b) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case zs::Kind::Single:
      return std::bit_cast<std::uint32_t>(a.single()) == std::bit_cast<std::uint32_t>(b.single());
    case zs::Kind::Double:
      return std::bit_cast<std::uint64_t>(a.dbl()) == std::bit_cast<std::uint64_t>(b.dbl());
    case zs::Kind::Integer: return a.integer() == b.integer();
    case zs::Kind::Long: return a.lng() == b.lng();
    case zs::Kind::Currency: return a.currency() == b.currency();
    case zs::Kind::Boolean: return a.boolean() == b.boolean();
    default: return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zs::Argument argument;
  try {
    argument = zs::cli::parseLiteral(text);
  } catch (const zs::Error& e) {
    check(e.number() == 5 || e.number() == 6);
    return 0;
  }
  const zs::Variant& value = argument.value;
  (void)zs::cli::formatValue(value);
  if (const char* prefix = prefixOf(value.kind())) {
    const zs::Argument again = zs::cli::parseLiteral(prefix + zs::cli::valueText(value));
    check(sameValue(again.value, value));
  }
  return 0;
}
