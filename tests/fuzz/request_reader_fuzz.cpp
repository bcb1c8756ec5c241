// The host's request reader beside the JSON library as a reference: both must
// agree on what is JSON, and what the reader keeps must be what the library
// reads. Faults other than 5 and 6 (and any JSON library text) are bugs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/request_reader.h"
#include "core/error.h"

namespace {

using nlohmann::json;
using zs::cli::Field;
using zs::cli::Request;

void check(bool ok) {
  if (!ok) __builtin_trap();
}

int depthOf(const json& j) {
  if (!j.is_structured()) return 0;
  int deepest = 0;
  for (const auto& v : j) deepest = std::max(deepest, depthOf(v));
  return deepest + 1;
}

// The kept form of a value: a scalar as it is, a container empty.
json kept(const json& v) {
  if (v.is_array()) return json::array();
  if (v.is_object()) return json::object();
  return v;
}

json keptArgument(const json& v) {
  if (!v.is_object()) return kept(v);
  json out = json::object();
  for (const char* name : {"type", "value", "byref", "missing", "handle"})
    if (v.contains(name)) out[name] = kept(v.at(name));
  return out;
}

void compareKept(const json& reference, const Request& request) {
  check(json::parse(request.id) == (reference.contains("id") ? reference.at("id") : json(nullptr)));
  for (std::size_t i = 0; i < zs::cli::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    const std::string name(zs::cli::fieldName(field));
    const json* got = request.get(field);
    if (!reference.contains(name)) {
      check(got == nullptr);
      continue;
    }
    check(got != nullptr);
    const json& want = reference.at(name);
    if (field == Field::Args && want.is_array()) {
      check(request.tooManyArguments == (want.size() > Request::kMaxArguments));
      check(got->size() == std::min(want.size(), Request::kMaxArguments));
      for (std::size_t a = 0; a < got->size(); ++a) check((*got)[a] == keptArgument(want[a]));
    } else {
      check(*got == kept(want));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  Request request;
  int number = 0;
  std::string description;
  try {
    zs::cli::readRequest(line, request);
  } catch (const zs::Error& e) {
    number = e.number();
    description = e.description();
    check(number == 5 || number == 6);
    check(description.find("json") == std::string::npos);
  }

  // A NUL byte is never JSON, raw or in a string; the library takes one as the
  // end of its input instead.
  if (line.find('\0') != std::string_view::npos) {
    check(number == 5);
    return 0;
  }
  json reference;
  try {
    reference = json::parse(line);
  } catch (const json::out_of_range&) {
    return 0;  // a number beyond a double: the library stops there, the reader may not
  } catch (const json::parse_error&) {
    check(number == 5);
    return 0;
  }
  if (depthOf(reference) > Request::kMaxDepth) {
    check(number == 5 && description.find("nested deeper") != std::string::npos);
    return 0;
  }
  if (!reference.is_object()) {
    check(number == 5 && description == "A request must be a JSON object");
    return 0;
  }
  check(number == 0);
  compareKept(reference, request);
  return 0;
}
