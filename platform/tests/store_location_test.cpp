#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/store_location.h"
#include "platform/testing/scoped_variable.h"

namespace zs::platform::posix {
namespace {

using testsupport::ScopedVariable;

TEST(StoreLocation, FromEnvironment) {
  struct Case { const char* dir; const char* xdg; const char* home; std::string user, machine; };
  const Case cases[] = {
      {"/tmp/reg/", "/x", "/h", "/tmp/reg/user.db", "/tmp/reg/machine.db"},
      {nullptr, "/data", "/h", "/data/zavrin/user.db", "/var/lib/zavrin/machine.db"},
      {"", "relative", "/h", "/h/.local/share/zavrin/user.db", "/var/lib/zavrin/machine.db"},
      {nullptr, nullptr, "/home/u", "/home/u/.local/share/zavrin/user.db",
       "/var/lib/zavrin/machine.db"},
  };
  for (const auto& c : cases) {
    ScopedVariable dir("ZAVRIN_REGISTRY_DIR", c.dir);
    ScopedVariable xdg("XDG_DATA_HOME", c.xdg);
    ScopedVariable home("HOME", c.home);
    const auto location = StoreLocation::fromEnvironment();
    EXPECT_EQ(location.userFile, c.user);
    EXPECT_EQ(location.machineFile, c.machine);
  }
}

}  // namespace
}  // namespace zs::platform::posix
