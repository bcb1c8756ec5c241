#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/store_location.h"

namespace zs::platform::posix {
namespace {

// Sets an environment variable for one scope and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) setenv(name, value, 1); else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1); else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

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
    ScopedEnv dir("ZAVRIN_REGISTRY_DIR", c.dir);
    ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    const auto location = StoreLocation::fromEnvironment();
    EXPECT_EQ(location.userFile, c.user);
    EXPECT_EQ(location.machineFile, c.machine);
  }
}

}  // namespace
}  // namespace zs::platform::posix
