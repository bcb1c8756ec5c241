// The automation host's reader of request lines: one strict JSON object per
// line, read in time and memory linear in the line, keeping only what a
// request uses.
//
// - "id" is kept as its JSON text (insignificant blanks removed), to be echoed
//   in the answer; it is set as soon as it has been read, so that a line that
//   turns out malformed later is still answered with it.
// - The known fields (see Field) are kept as JSON scalars. A known field that
//   holds an array or an object is kept as an empty one of its kind, enough to
//   report its type; "args" keeps up to kMaxArguments argument objects with
//   their own known fields ("type", "value", "byref", "missing", "handle").
// - Everything else is checked as JSON and dropped without being built.
// - Numbers are checked against the JSON grammar everywhere and converted
//   only where they are kept: a whole number that fits 64 bits stays whole,
//   any other becomes a double.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace zs::cli {

// The request fields the host knows, besides "id".
enum class Field : std::uint8_t { Op, Class, Predeclared, Handle, Member, DispId, Kind, Count, Args };
inline constexpr std::size_t kFieldCount = 9;
std::string_view fieldName(Field field);

struct Request {
  // Containers may nest at most this deep, the request object itself counting
  // as the first level.
  static constexpr int kMaxDepth = 64;
  // More arguments than this are dropped and reported (no member takes as many).
  static constexpr std::size_t kMaxArguments = 256;

  std::string id = "null";  // the request's "id" as JSON text
  std::array<std::optional<nlohmann::json>, kFieldCount> fields;
  bool tooManyArguments = false;  // "args" held more than kMaxArguments values

  const nlohmann::json* get(Field field) const {
    const auto& f = fields[static_cast<std::size_t>(field)];
    return f ? &*f : nullptr;
  }
};

// Reads one request line (without its line end; a leading UTF-8 byte order
// mark is skipped). Raises 5 when the line is not one JSON object (a syntax
// fault with its byte offset, text that is not UTF-8, a lone surrogate escape,
// nesting deeper than kMaxDepth, a value that is not an object) and 6 when a
// number the request keeps is beyond the range of a double. `request.id` is
// filled as soon as the id is read.
void readRequest(std::string_view line, Request& request);

}  // namespace zs::cli
