// The automation value types that members exchange.
#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zs {

using Integer = std::int16_t;   // signed 16-bit
using Long = std::int32_t;      // signed 32-bit
using Single = float;           // IEEE 754 binary32
using Double = double;          // IEEE 754 binary64
using Boolean = bool;           // True is -1 on the automation boundary
using OleColor = std::uint32_t; // 0x00BBGGRR, or a system colour index with the high bit set

// Text: counted strings of 16-bit code units. An absent string equals "".
using String = std::u16string;
using StringView = std::u16string_view;

// Currency: a signed 64-bit integer scaled by 10,000 (four decimal places).
struct Currency {
  static constexpr std::int64_t kScale = 10000;
  std::int64_t scaled = 0;

  static constexpr Currency fromScaled(std::int64_t v) { return Currency{v}; }
  static constexpr Currency fromUnits(std::int64_t units) { return Currency{units * kScale}; }
  constexpr auto operator<=>(const Currency&) const = default;
};

// The Error kind of a Variant holds an SCODE; the missing value is DISP_E_PARAMNOTFOUND.
struct ErrorCode {
  std::int32_t scode = 0;
  constexpr bool operator==(const ErrorCode&) const = default;
};
inline constexpr ErrorCode kMissing{static_cast<std::int32_t>(0x80020004u)};

// The True value of Boolean on the automation boundary.
inline constexpr Integer kTrue = -1;
inline constexpr Integer kFalse = 0;

class Object;
using ObjectPtr = std::shared_ptr<Object>;

// UTF-8 <-> UTF-16 helpers for the C++ side (descriptions, names, command line).
String u16(std::string_view utf8);
std::string u8(StringView text);

}  // namespace zs
