// An environment variable set (or removed) for the life of the object and
// restored afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace zs::platform::testsupport {

class ScopedVariable {
 public:
  // nullopt removes the variable for the scope.
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  // A null value removes the variable for the scope.
  ScopedVariable(const char* name, const char* value)
      : ScopedVariable(name, value ? std::optional<std::string>(value) : std::nullopt) {}
  ~ScopedVariable() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace zs::platform::testsupport
