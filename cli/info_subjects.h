// What `zavrin info` asks: for each system-information class, the property it
// sets first and the members that only read the system. Members that act
// (ending the session, sleeping, changing the display mode, changing the
// current directory) are never listed: the command runs them for real.
#pragma once

#include <span>
#include <string_view>

namespace zs::cli {

struct InfoSubject {
  std::string_view className;
  std::string_view setup;  // a String property set before the members are read, or empty
  std::span<const std::string_view> members;
};

// In catalogue order of subsystem; classes not built yet are skipped by the
// command.
std::span<const InfoSubject> infoSubjects();

}  // namespace zs::cli
