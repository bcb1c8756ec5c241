// Reading value data of any size, and the conversions between value data and
// the Strings that ZSRegistry hands out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/value_types.h"
#include "platform/advapi32.h"

namespace zs::registry {

// The buffer sizes every read starts with: 255 bytes for value names and
// data, 260 for sub-key names.
inline constexpr platform::DWORD kValueNameBufferSize = 255;
inline constexpr platform::DWORD kDataBufferSize = 255;
inline constexpr platform::DWORD kKeyNameBufferSize = 260;
// The largest data a read takes; a value beyond it reads as not available.
inline constexpr platform::DWORD kMaxDataSize = 64u << 20;

struct QueriedValue {
  platform::LONG status = 0;
  platform::DWORD type = 0;
  std::vector<platform::BYTE> data;  // exactly the reported bytes; empty after a failure
};

struct EnumeratedValue {
  platform::LONG status = 0;
  platform::DWORD type = 0;
  std::string name;                  // exactly the reported name bytes
  std::vector<platform::BYTE> data;  // exactly the reported bytes
  platform::DWORD nameBufferSize = 0;  // the name buffer size that held the name
};

// RegQueryValueExA into a 255-byte buffer; when the platform answers that the
// data is larger, again with a buffer of the reported size.
QueriedValue queryValue(platform::Advapi32& api, platform::HKEY key, const char* valueName);

// RegEnumValueA with a 255-byte name and a 255-byte data buffer, each grown
// and the entry read again when the platform answers that it is too small.
// `entry` is overwritten; the storage of its name and data is reused, so a
// walk over many values allocates its buffers once.
void enumValue(platform::Advapi32& api, platform::HKEY key, platform::DWORD index,
               EnumeratedValue& entry);

// String data: the reported bytes without the terminating NUL (when there is
// one), converted from the system code page.
String stringFromData(std::span<const platform::BYTE> data);
// Binary data: one character per byte.
String textFromBinary(std::span<const platform::BYTE> data);
// The bytes of binary data given as text, one per character. Raises 9 for
// empty text, 6 for more than 32767 characters or a character whose code does
// not fit in one byte.
std::vector<platform::BYTE> binaryFromText(StringView text);
// The signed decimal text of a 32-bit number.
String numberText(std::int32_t value);

}  // namespace zs::registry
