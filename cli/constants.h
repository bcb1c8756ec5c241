// Enumeration constants by name, as the command line and the repl accept them
// in place of their numbers: `zvHKEY_CURRENT_USER`, `zvhexidecimalbase` (any
// letter case). The catalogue's enumerations are the one source.
#pragma once

#include <optional>
#include <string_view>

#include "core/class_info.h"
#include "core/members.h"

namespace zs::cli {

struct Constant {
  std::string_view name;            // as the catalogue spells it
  Long value;
  const EnumInfo* enumeration;      // the enumeration that declares it
};

// The constant of that name in any enumeration; names compare without regard
// to ASCII case.
std::optional<Constant> findConstant(std::string_view name);

// The enumeration of that name (ZSNumbersConstants), any letter case.
const EnumInfo* findEnumeration(std::string_view name);

// Checks a constant given for a parameter: when the parameter is typed with an
// enumeration, the constant must be one of its own. Raises 5 naming the
// parameter, its enumeration and the constants it takes.
void checkConstantFor(const Param& param, const Constant& constant);

// Raises 5 for a word that was meant as a constant of the parameter's
// enumeration but names none.
[[noreturn]] void unknownConstantFor(const Param& param, std::string_view word);

// Whether text could be a constant name: a letter first, then letters, digits
// and underscores.
bool isIdentifier(std::string_view text);

}  // namespace zs::cli
