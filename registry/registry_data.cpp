#include "registry/registry_data.h"

#include <algorithm>
#include <string_view>

#include "core/error.h"
#include "platform/ansi.h"

namespace zs::registry {

using namespace platform;

namespace {

// A value that keeps changing size between two reads gets this many tries.
constexpr int kMaxAttempts = 8;
// Value names are at most 16,383 bytes long.
constexpr DWORD kLargestNameBuffer = kMaxValueNameLength + 1;
// Binary text longer than this is rejected (the historical 16-bit limit).
constexpr std::size_t kMaxBinaryCharacters = 32767;

// The size of the next buffer after the platform answered "more data" with
// `reported` for a buffer of `current` bytes; 0 when the data is too large.
DWORD grownSize(DWORD current, DWORD reported) {
  const std::uint64_t wanted =
      reported > current ? reported : std::uint64_t{current} * 2;
  return wanted > kMaxDataSize ? 0 : static_cast<DWORD>(wanted);
}

}  // namespace

QueriedValue queryValue(Advapi32& api, HKEY key, const char* valueName) {
  QueriedValue result;
  std::vector<BYTE> buffer(kDataBufferSize, ' ');
  for (int attempt = 1;; ++attempt) {
    DWORD length = static_cast<DWORD>(buffer.size());
    DWORD type = 0;
    result.status = api.RegQueryValueExA(key, valueName, nullptr, &type, buffer.data(), &length);
    result.type = type;
    if (result.status == kErrorMoreData && attempt < kMaxAttempts) {
      if (const DWORD size = grownSize(static_cast<DWORD>(buffer.size()), length)) {
        buffer.assign(size, ' ');
        continue;
      }
    }
    if (result.status == kErrorSuccess) {
      buffer.resize(std::min<std::size_t>(length, buffer.size()));
      result.data = std::move(buffer);
    }
    return result;
  }
}

void enumValue(Advapi32& api, HKEY key, DWORD index, EnumeratedValue& result) {
  // The buffers are space-filled to their sizes; only the bytes the
  // platform reports are ever read from them.
  std::string& name = result.name;
  std::vector<BYTE>& data = result.data;
  name.resize(kValueNameBufferSize, ' ');
  data.resize(kDataBufferSize, ' ');
  for (int attempt = 1;; ++attempt) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = 0;
    result.status = api.RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataLength);
    result.type = type;
    if (result.status == kErrorMoreData && attempt < kMaxAttempts) {
      // Either buffer may be the short one: the data's when its reported size
      // exceeds the buffer, otherwise the name's.
      if (dataLength <= data.size() && name.size() < kLargestNameBuffer) {
        name.assign(kLargestNameBuffer, ' ');
        continue;
      }
      if (const DWORD size = grownSize(static_cast<DWORD>(data.size()), dataLength)) {
        data.assign(size, ' ');
        continue;
      }
    }
    result.nameBufferSize = static_cast<DWORD>(name.size());
    if (result.status == kErrorSuccess) {
      name.resize(std::min<std::size_t>(nameLength, name.size()));
      data.resize(std::min<std::size_t>(dataLength, data.size()));
    } else {
      name.clear();
      data.clear();
    }
    return;
  }
}

String stringFromData(std::span<const BYTE> data) {
  std::size_t size = data.size();
  if (size > 0 && data[size - 1] == 0) --size;
  return fromAnsi(std::string_view(reinterpret_cast<const char*>(data.data()), size));
}

#ifdef _WIN32

// Each byte is the character of that code in the ANSI code page.
String textFromBinary(std::span<const BYTE> data) {
  String text;
  text.reserve(data.size());
  for (const BYTE b : data) {
    const char c = static_cast<char>(b);
    const String one = fromAnsi(std::string_view(&c, 1));
    text.push_back(one.size() == 1 ? one[0] : static_cast<char16_t>(b));
  }
  return text;
}

namespace {

BYTE byteOfCharacter(char16_t c) {
  const std::string code = toAnsi(StringView(&c, 1));
  if (code.size() != 1) raise(err::kOverflow);
  return static_cast<BYTE>(code[0]);
}

}  // namespace

#else

// UTF-8 has no one-byte form for the bytes 0x80 to 0xFF, so binary data maps
// each byte to the character of the same code (U+0000 to U+00FF): every byte
// value reads back and writes again unchanged.
String textFromBinary(std::span<const BYTE> data) {
  return String(data.begin(), data.end());
}

namespace {

BYTE byteOfCharacter(char16_t c) {
  if (c > 0xFF) raise(err::kOverflow);
  return static_cast<BYTE>(c);
}

}  // namespace

#endif

std::vector<BYTE> binaryFromText(StringView text) {
  if (text.empty()) raise(err::kSubscript);
  if (text.size() > kMaxBinaryCharacters) raise(err::kOverflow);
  std::vector<BYTE> bytes;
  bytes.reserve(text.size());
  for (const char16_t c : text) bytes.push_back(byteOfCharacter(c));
  return bytes;
}

String numberText(std::int32_t value) { return u16(std::to_string(value)); }

}  // namespace zs::registry
