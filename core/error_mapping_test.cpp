#include "core/error_mapping.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace zs {
namespace {

Error mapped(const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    return currentError();
  }
  ADD_FAILURE() << "nothing was thrown";
  return Error(0, "");
}

TEST(ErrorMapping, EachKindOfExceptionBecomesItsRunTimeError) {
  struct Case {
    const char* what;
    std::function<void()> fn;
    int number;
    std::string description;
  };
  const std::vector<Case> cases = {
      {"Error", [] { throw Error(457, "taken", "ZSThing"); }, 457, "taken"},
      {"bad_alloc", [] { throw std::bad_alloc(); }, 7, "Out of memory"},
      {"bad_array_new_length", [] { throw std::bad_array_new_length(); }, 7, "Out of memory"},
      {"length_error", [] { std::string().reserve(std::string().max_size() + 1); }, 7, "Out of memory"},
      {"out_of_range", [] { (void)std::vector<int>().at(3); }, 51, "Internal error"},
      {"foreign text", [] { throw std::runtime_error("[json.exception.type_error.316] bad"); }, 51,
       "Internal error"},
      {"not an exception class", [] { throw 42; }, 51, "Internal error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Error e = mapped(c.fn);
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.description(), c.description);
  }
  EXPECT_EQ(mapped([] { throw Error(457, "taken", "ZSThing"); }).source(), "ZSThing");
}

}  // namespace
}  // namespace zs
