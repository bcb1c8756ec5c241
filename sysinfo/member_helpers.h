// Member-table helpers shared by the system-information bindings.
#pragma once

#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/members.h"
#include "core/object.h"

namespace zs::sysinfo {

// Calls a member of T that takes no arguments and returns its result (Empty
// for a member without one).
template <class T, auto Fn>
Variant noArguments(Object& o, std::span<Variant>) {
  if constexpr (std::is_void_v<decltype((static_cast<T&>(o).*Fn)())>) {
    (static_cast<T&>(o).*Fn)();
    return Variant();
  } else {
    return Variant((static_cast<T&>(o).*Fn)());
  }
}

// A method row of a member table.
inline Member method(std::string_view name, int id, TypeRef result, Invoker invoke,
                     std::vector<Param> params = {}) {
  return Member{name, methodId(id), MemberKind::Method, std::move(params), result, invoke};
}

}  // namespace zs::sysinfo
