#include "cli/json_values.h"

#include <cmath>
#include <limits>

#include "cli/json_text.h"
#include "cli/plain_numbers.h"
#include "frame/catalogue.h"
#include "core/error.h"
#include "core/number_rounding.h"

namespace zs::cli {
namespace {

using nlohmann::json;

[[noreturn]] void badValue(const std::string& why) { throw Error(err::kInvalidCall, why); }

void appendNumber(std::string& out, const std::string& text, bool finite) {
  if (finite) {
    out += text;
  } else {
    out += '"' + text + '"';
  }
}

// A whole number from a JSON number (integral floating text like 5.0 too).
std::int64_t wholeNumber(const json& v, std::string_view type, std::int64_t min, std::int64_t max) {
  if (v.is_number_unsigned()) {
    if (v.get<std::uint64_t>() > static_cast<std::uint64_t>(max)) raise(err::kOverflow);
    return static_cast<std::int64_t>(v.get<std::uint64_t>());
  }
  if (v.is_number_integer()) {
    const auto n = v.get<std::int64_t>();
    if (n < min || n > max) raise(err::kOverflow);
    return n;
  }
  if (v.is_number_float()) {
    const double d = v.get<double>();
    if (d != std::trunc(d)) badValue("The value of " + std::string(type) + " must be a whole number");
    if (d < static_cast<double>(min) || d > static_cast<double>(max)) raise(err::kOverflow);
    return static_cast<std::int64_t>(d);
  }
  badValue("The value of " + std::string(type) + " must be a number");
}

Double floating(const json& v, std::string_view type) {
  if (v.is_number()) return v.get<double>();
  if (v.is_string()) {
    const auto& s = v.get_ref<const std::string&>();
    if (s == "NaN") return std::numeric_limits<Double>::quiet_NaN();
    if (s == "Infinity") return std::numeric_limits<Double>::infinity();
    if (s == "-Infinity") return -std::numeric_limits<Double>::infinity();
  }
  badValue("The value of " + std::string(type) +
           " must be a number, \"NaN\", \"Infinity\" or \"-Infinity\"");
}

const json& valueField(const json& j, std::string_view type) {
  auto it = j.find("value");
  if (it == j.end()) badValue("A value of type " + std::string(type) + " needs a \"value\" field");
  return *it;
}

}  // namespace

void appendValue(std::string& out, const Variant& v, HandleTable& handles) {
  out += "{\"type\":\"";
  out += kindName(v.kind());
  out += '"';
  switch (v.kind()) {
    case Kind::Empty:
    case Kind::Null:
      break;
    case Kind::Integer: out += ",\"value\":" + std::to_string(v.integer()); break;
    case Kind::Long: out += ",\"value\":" + std::to_string(v.lng()); break;
    case Kind::Single:
      out += ",\"value\":";
      appendNumber(out, shortestText(v.single()), std::isfinite(v.single()));
      break;
    case Kind::Double:
      out += ",\"value\":";
      appendNumber(out, shortestText(v.dbl()), std::isfinite(v.dbl()));
      break;
    case Kind::Currency: out += ",\"value\":\"" + currencyText(v.currency()) + '"'; break;
    case Kind::String:
      out += ",\"value\":";
      appendJsonString(out, StringView(v.string()));
      break;
    case Kind::Boolean: out += v.boolean() ? ",\"value\":true" : ",\"value\":false"; break;
    case Kind::Error: out += ",\"value\":" + std::to_string(v.error().scode); break;
    case Kind::Object:
      if (!v.object()) {
        out += ",\"handle\":null";
      } else {
        const ClassInfo* cls = v.object()->classInfo();
        out += ",\"class\":";
        if (cls) {
          appendJsonString(out, cls->name);
        } else {
          out += "null";
        }
        out += ",\"handle\":" + std::to_string(handles.add(v.object()));
      }
      break;
  }
  out += '}';
}

std::string valueJson(const Variant& value, HandleTable& handles) {
  std::string out;
  appendValue(out, value, handles);
  return out;
}

Variant readValue(const json& j, const HandleTable& handles) {
  if (!j.is_object()) badValue("A value must be a JSON object with a \"type\" field");
  auto typeIt = j.find("type");
  if (typeIt == j.end() || !typeIt->is_string())
    badValue("A value must be a JSON object with a \"type\" field");
  const auto& type = typeIt->get_ref<const std::string&>();

  if (type == "Empty") return Variant();
  if (type == "Null") return Variant::null();
  if (type == "Integer")
    return Variant(static_cast<Integer>(wholeNumber(valueField(j, type), type,
                                                    std::numeric_limits<Integer>::min(),
                                                    std::numeric_limits<Integer>::max())));
  if (type == "Long")
    return Variant(static_cast<Long>(wholeNumber(valueField(j, type), type,
                                                 std::numeric_limits<Long>::min(),
                                                 std::numeric_limits<Long>::max())));
  if (type == "Single") {
    const Double d = floating(valueField(j, type), type);
    if (!std::isfinite(d)) return Variant(static_cast<Single>(d));
    const auto single = detail::singleFromDouble(d);
    if (!single) raise(err::kOverflow);
    return Variant(*single);
  }
  if (type == "Double") return Variant(floating(valueField(j, type), type));
  if (type == "Currency") {
    const json& v = valueField(j, type);
    if (v.is_string()) return Variant(parseCurrencyText(v.get_ref<const std::string&>()));
    if (v.is_number_integer() || v.is_number_unsigned())
      return Variant(Currency::fromUnits(wholeNumber(v, type, -922337203685477, 922337203685477)));
    badValue("The value of Currency must be decimal text such as \"1234.5678\"");
  }
  if (type == "String") {
    const json& v = valueField(j, type);
    if (!v.is_string()) badValue("The value of String must be a JSON string");
    return Variant(u16(v.get_ref<const std::string&>()));
  }
  if (type == "Boolean") {
    const json& v = valueField(j, type);
    if (!v.is_boolean()) badValue("The value of Boolean must be true or false");
    return Variant(v.get<bool>());
  }
  if (type == "Error") {
    // An SCODE, as a signed or an unsigned 32-bit number.
    const auto n = wholeNumber(valueField(j, type), type, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::uint32_t>::max());
    return Variant(ErrorCode{static_cast<std::int32_t>(static_cast<std::uint32_t>(n))});
  }
  if (type == "Object") {
    auto it = j.find("handle");
    if (it == j.end()) badValue("An Object needs a \"handle\" field (null for no object)");
    if (it->is_null()) return Variant::nothing();
    if (!it->is_number_integer() && !it->is_number_unsigned())
      badValue("The handle of an Object must be a whole number or null");
    if (it->is_number_unsigned() &&
        it->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<Handle>::max()))
      raise(err::kObjectRequired);
    return Variant(handles.get(it->get<Handle>()));
  }
  badValue("Unknown value type \"" + type + "\"");
}

}  // namespace zs::cli
