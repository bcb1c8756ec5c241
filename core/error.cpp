#include "core/error.h"

namespace zs {

std::string_view standardDescription(int number) {
  switch (number) {
#define ZS_ERROR_CASE(name, number, description) \
  case number:                                   \
    return description;
    ZS_STANDARD_ERRORS(ZS_ERROR_CASE)
#undef ZS_ERROR_CASE
    default: return "Application-defined or object-defined error";
  }
}

Error::Error(int number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

Error::Error(int number) : Error(number, std::string(standardDescription(number))) {}

void raise(int number) { throw Error(number); }

void raise(int number, std::string description, std::string source) {
  throw Error(number, std::move(description), std::move(source));
}

}  // namespace zs
