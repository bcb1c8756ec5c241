#include "cli/signature.h"

#include <cstdio>

#include "cli/literals.h"

namespace zs::cli {

std::string signatureText(const Member& m) {
  std::string text(m.name);
  if (m.kind == MemberKind::Field) return text + " As " + std::string(typeName(m.result));
  text += '(';
  for (std::size_t i = 0; i < m.params.size(); ++i) {
    const Param& p = m.params[i];
    if (i) text += ", ";
    if (p.optional) text += "Optional ";
    text += p.byRef ? "ByRef " : "ByVal ";
    text += std::string(p.name) + " As " + std::string(typeName(p.type));
    if (p.defaultValue) text += " = " + valueText(*p.defaultValue);
  }
  text += ')';
  if (m.result.type != Type::Void) text += " As " + std::string(typeName(m.result));
  return text;
}

}  // namespace zs::cli
