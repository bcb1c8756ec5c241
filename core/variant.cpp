#include "core/variant.h"

#include "core/error.h"

namespace zs {

std::string_view kindName(Kind kind) {
  switch (kind) {
    case Kind::Empty: return "Empty";
    case Kind::Null: return "Null";
    case Kind::Integer: return "Integer";
    case Kind::Long: return "Long";
    case Kind::Single: return "Single";
    case Kind::Double: return "Double";
    case Kind::Currency: return "Currency";
    case Kind::String: return "String";
    case Kind::Boolean: return "Boolean";
    case Kind::Object: return "Object";
    case Kind::Error: return "Error";
  }
  return "Empty";
}

bool Variant::isNumeric() const noexcept {
  switch (kind()) {
    case Kind::Integer: case Kind::Long: case Kind::Single: case Kind::Double:
    case Kind::Currency: case Kind::Boolean:
      return true;
    default:
      return false;
  }
}

void Variant::throwMismatch() { raise(err::kTypeMismatch); }

}  // namespace zs
