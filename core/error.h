// The one run-time error type: number, description and source.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zs {

// The standard run-time errors: constant, number, description.
#define ZS_STANDARD_ERRORS(X)                                                                    \
  X(kInvalidCall, 5, "Invalid procedure call or argument")                                       \
  X(kOverflow, 6, "Overflow")                                                                    \
  X(kOutOfMemory, 7, "Out of memory")                                                            \
  X(kSubscript, 9, "Subscript out of range")                                                     \
  X(kDivisionByZero, 11, "Division by zero")                                                     \
  X(kTypeMismatch, 13, "Type mismatch")                                                          \
  X(kInternal, 51, "Internal error")                                                             \
  X(kObjectVariableNotSet, 91, "Object variable or With block variable not set")                 \
  X(kInvalidNull, 94, "Invalid use of Null")                                                     \
  X(kObjectRequired, 424, "Object required")                                                     \
  X(kClassNotAvailable, 429, "ActiveX component can't create object")                            \
  X(kNotSupported, 438, "Object doesn't support this property or method")                        \
  X(kArgNotOptional, 449, "Argument not optional")                                               \
  X(kWrongArgCount, 450, "Wrong number of arguments or invalid property assignment")             \
  X(kKeyInUse, 457, "This key is already associated with an element of this collection")

namespace err {
#define ZS_ERROR_CONSTANT(name, number, description) inline constexpr int name = number;
ZS_STANDARD_ERRORS(ZS_ERROR_CONSTANT)
#undef ZS_ERROR_CONSTANT
}  // namespace err

// The standard description of a run-time error number ("Application-defined or
// object-defined error" for numbers without one).
std::string_view standardDescription(int number);

class Error : public std::runtime_error {
 public:
  Error(int number, std::string description, std::string source = {});
  // An error with its standard description.
  explicit Error(int number);

  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }
  const std::string& source() const noexcept { return source_; }
  void setSource(std::string source) { source_ = std::move(source); }

  // The failure code on the automation boundary: 0x800A0000 + number.
  std::uint32_t hresult() const noexcept {
    return 0x800A0000u + static_cast<std::uint32_t>(number_ & 0xFFFF);
  }

 private:
  int number_;
  std::string description_;
  std::string source_;
};

// Raises the standard error `number`.
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, std::string description, std::string source = {});

}  // namespace zs
