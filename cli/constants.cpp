#include "cli/constants.h"

#include <string>

#include "core/ascii.h"
#include "core/error.h"
#include "frame/catalogue.h"

namespace zs::cli {
namespace {

constexpr std::string_view kSource = "zavrin";

std::string constantList(const EnumInfo& e) {
  std::string names;
  for (const auto& [name, value] : e.values) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

// "parameter hKey takes ZSRegistryHKeyConstants: zvHKEY_CLASSES_ROOT, ..."
std::string parameterText(const Param& param) {
  const EnumInfo* e = findEnumeration(param.type.name);
  return "parameter " + std::string(param.name) + " takes " + std::string(param.type.name) +
         (e ? ": " + constantList(*e) : std::string());
}

constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::optional<Constant> findConstant(std::string_view name) {
  for (const EnumInfo& e : enumerations())
    for (const auto& [constant, value] : e.values)
      if (sameName(constant, name)) return Constant{constant, value, &e};
  return std::nullopt;
}

const EnumInfo* findEnumeration(std::string_view name) {
  for (const EnumInfo& e : enumerations())
    if (sameName(e.name, name)) return &e;
  return nullptr;
}

void checkConstantFor(const Param& param, const Constant& constant) {
  if (param.type.type != Type::Enum || sameName(param.type.name, constant.enumeration->name))
    return;
  throw Error(err::kInvalidCall,
              std::string(constant.name) + " is a constant of " +
                  std::string(constant.enumeration->name) + "; " + parameterText(param),
              std::string(kSource));
}

void unknownConstantFor(const Param& param, std::string_view word) {
  throw Error(err::kInvalidCall,
              "'" + std::string(word) + "' is not a constant; " + parameterText(param),
              std::string(kSource));
}

bool isIdentifier(std::string_view text) {
  if (text.empty() || !isLetter(text[0])) return false;
  for (char c : text)
    if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '_') return false;
  return true;
}

}  // namespace zs::cli
