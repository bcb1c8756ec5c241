#include "cli/literals.h"

#include <algorithm>
#include <limits>

#include "cli/json_text.h"
#include "cli/plain_numbers.h"
#include "core/ascii.h"
#include "core/error.h"
#include "core/number_rounding.h"

namespace zs::cli {
namespace {

Boolean parseBoolean(std::string_view text) {
  if (sameName(text, "true")) return true;
  if (sameName(text, "false")) return false;
  throw Error(err::kInvalidCall, "'" + std::string(text) + "' is not true or false");
}

// The typed literal for `prefix:body`, if `prefix` is one of ours.
bool typed(std::string_view prefix, std::string_view body, Variant& out) {
  if (prefix == "s") {
    out = Variant(u16(body));
  } else if (prefix == "i") {
    out = Variant(static_cast<Integer>(parseWhole(body, std::numeric_limits<Integer>::min(),
                                                  std::numeric_limits<Integer>::max())));
  } else if (prefix == "l") {
    out = Variant(static_cast<Long>(parseWhole(body, std::numeric_limits<Long>::min(),
                                               std::numeric_limits<Long>::max())));
  } else if (prefix == "sg") {
    // Anything that rounds to a finite Single is one: the printed form of the
    // largest Single (3.4028235E+38) lies just above it and must read back.
    const auto single = detail::singleFromDouble(parseDecimal(body));
    if (!single) raise(err::kOverflow);
    out = Variant(*single);
  } else if (prefix == "d") {
    out = Variant(parseDecimal(body));
  } else if (prefix == "c") {
    out = Variant(parseCurrencyText(body));
  } else if (prefix == "b") {
    out = Variant(parseBoolean(body));
  } else {
    return false;
  }
  return true;
}

Literal literalOf(Argument argument) { return {std::move(argument), std::nullopt, false}; }

}  // namespace

Literal readLiteral(std::string_view text) {
  if (text == "empty") return literalOf(Argument::byReference(Variant()));
  if (text == "null") return literalOf(Argument::byReference(Variant::null()));
  if (text == "missing") return literalOf(Argument::omitted());
  if (text == "nothing") return literalOf(Argument::byReference(Variant::nothing()));
  if (const auto colon = text.find(':'); colon != std::string_view::npos) {
    Variant value;
    if (typed(text.substr(0, colon), text.substr(colon + 1), value))
      return literalOf(Argument::byReference(std::move(value)));
  }
  if (isIdentifier(text)) {
    if (auto constant = findConstant(text))
      return {Argument::byReference(Variant(constant->value)), constant, false};
    return {Argument::byReference(Variant(u16(text))), std::nullopt, true};
  }
  return literalOf(Argument::byReference(Variant(u16(text))));
}

Argument parseLiteral(std::string_view text) { return readLiteral(text).argument; }

void checkLiterals(const Member& member, std::span<const Literal> literals) {
  const std::size_t n = std::min(member.params.size(), literals.size());
  for (std::size_t i = 0; i < n; ++i) {
    const Param& param = member.params[i];
    const Literal& literal = literals[i];
    if (literal.constant) {
      checkConstantFor(param, *literal.constant);
    } else if (literal.plainWord && param.type.type == Type::Enum) {
      unknownConstantFor(param, u8(literal.argument.value.string()));
    }
  }
}

std::string valueText(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty: return "Empty";
    case Kind::Null: return "Null";
    case Kind::Integer: return std::to_string(v.integer());
    case Kind::Long: return std::to_string(v.lng());
    case Kind::Single: return shortestText(v.single());
    case Kind::Double: return shortestText(v.dbl());
    case Kind::Currency: return currencyText(v.currency());
    case Kind::String: return jsonString(StringView(v.string()));
    case Kind::Boolean: return v.boolean() ? "True" : "False";
    case Kind::Error: return v.isMissing() ? "Missing" : std::to_string(v.error().scode);
    case Kind::Object: {
      if (!v.object()) return "Nothing";
      const ClassInfo* cls = v.object()->classInfo();
      return cls ? std::string(cls->name) : "(object)";
    }
  }
  return {};
}

std::string formatValue(const Variant& v) {
  switch (v.kind()) {
    case Kind::Empty:
    case Kind::Null:
      return valueText(v);
    case Kind::Error:
      return v.isMissing() ? "Missing" : "Error " + valueText(v);
    case Kind::Object:
      return v.object() ? "Object " + valueText(v) : "Nothing";
    default:
      return std::string(kindName(v.kind())) + " " + valueText(v);
  }
}

}  // namespace zs::cli
