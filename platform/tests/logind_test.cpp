// The Linux user32's ExitWindowsEx and the logind client against
// python3-dbusmock's logind on a private bus that the test starts: which
// request each flag combination makes, the policy answers, and the error codes
// of refusals. Every request checks first that the system-bus address is the
// private bus's, so nothing can reach the machine's own bus.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/posix/logind.h"
#include "platform/posix/powrprof_posix.h"
#include "platform/posix/user32_posix.h"
#include "platform/testing/private_bus.h"

namespace zs::platform {
namespace {

using posix::Logind;
using posix::LogindResult;
using testing::PrivateBus;

class LogindBus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bus_ = std::make_unique<PrivateBus>(std::map<std::string, std::string>{
        {"CanPowerOff", "yes"}, {"CanSuspend", "no"}, {"CanHibernate", "challenge"}});
    if (!bus_->owned()) return;
    // What the template lacks, with the real signatures: Halt, the session of
    // a process, KillSession's signal number.
    bus_->addManagerMethod("Halt", "b", "", "");
    bus_->addManagerMethod("GetSessionByPID", "u", "o",
                           "ret = '/org/freedesktop/login1/session/c7'");
    bus_->addManagerMethod("KillSession", "ssi", "", "");
    bus_->addSession("c7", "seat0", static_cast<unsigned>(::getuid()), "ana");
  }
  static void TearDownTestSuite() { bus_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(bus_ && bus_->owned()) << "refusing to run without the private bus: "
                                       << (bus_ ? bus_->failure() : "not started");
    bus_->takeCalls();
  }

  // The requests the mock saw, without the look-ups of the caller's session
  // (GetSessionByPID, the session's properties).
  static std::vector<std::string> requests() {
    std::vector<std::string> out;
    for (auto& call : bus_->takeCalls()) {
      if (call.rfind("Get", 0) != 0) out.push_back(call);
    }
    return out;
  }

  static std::unique_ptr<PrivateBus> bus_;
};

std::unique_ptr<PrivateBus> LogindBus::bus_;

TEST_F(LogindBus, ExitWindowsExMakesOneNonInteractiveRequestPerFlagSet) {
  const std::pair<UINT, const char*> cases[] = {
      {kEwxReboot, "Reboot False"},
      {kEwxPowerOff, "PowerOff False"},
      {kEwxShutdown, "Halt False"},
      {kEwxShutdown | kEwxPowerOff, "PowerOff False"},
      {kEwxReboot | kEwxPowerOff | kEwxShutdown, "Reboot False"},
      {kEwxReboot | kEwxForce, "Reboot False"},
      {kEwxLogoff, "TerminateSession \"c7\""},
      {kEwxForce, "KillSession \"c7\" \"all\" 9"},
  };
  posix::User32Posix user32;
  for (const auto& [flags, request] : cases) {
    ASSERT_TRUE(bus_->owned());
    EXPECT_EQ(user32.ExitWindowsEx(flags, 0), 1) << flags;
    EXPECT_EQ(requests(), std::vector<std::string>{request}) << flags;
  }
}

TEST_F(LogindBus, PolicyQuestionsGiveLogindsWords) {
  Logind logind;
  ASSERT_TRUE(logind.connected());
  LogindResult result;
  EXPECT_EQ(logind.canPowerOff(&result), "yes");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(logind.canSuspend(), "no");
  EXPECT_EQ(logind.canHibernate(), "challenge");
  EXPECT_TRUE(logind.suspend());
  EXPECT_TRUE(logind.hibernate());
  EXPECT_EQ(requests(), (std::vector<std::string>{"CanPowerOff", "CanSuspend", "CanHibernate",
                                                  "Suspend False", "Hibernate False"}));
}

TEST_F(LogindBus, RefusalsBecomeWin32ErrorCodes) {
  const std::pair<const char*, DWORD> cases[] = {
      {"org.freedesktop.DBus.Error.AccessDenied", kErrorPrivilegeNotHeld},
      {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", kErrorPrivilegeNotHeld},
      {"org.freedesktop.login1.OperationInProgress", kErrorGenFailure},
  };
  posix::User32Posix user32;
  for (const auto& [name, code] : cases) {
    ASSERT_TRUE(bus_->addManagerMethod(
        "Reboot", "b", "",
        std::string("raise dbus.exceptions.DBusException('refused', name='") + name + "')"));
    SetLastError(0);
    EXPECT_EQ(user32.ExitWindowsEx(kEwxReboot, 0), 0) << name;
    EXPECT_EQ(GetLastError(), code) << name;
  }
  bus_->addManagerMethod("Reboot", "b", "", "");
  // A process outside any session cannot log off.
  bus_->addManagerMethod("GetSessionByPID", "u", "o",
                         "raise dbus.exceptions.DBusException('none', "
                         "name='org.freedesktop.login1.NoSessionForPID')");
  EXPECT_EQ(user32.ExitWindowsEx(kEwxLogoff, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(kErrorNotSupported));
  bus_->addManagerMethod("GetSessionByPID", "u", "o",
                         "ret = '/org/freedesktop/login1/session/c7'");
  for (const auto& request : requests()) {
    EXPECT_EQ(request.find("TerminateSession"), std::string::npos) << "no session to end";
  }
}

TEST_F(LogindBus, PowrprofAllowsOnlyWhatLogindAnswersYes) {
  posix::PowrprofPosix powrprof("/nonexistent");
  EXPECT_EQ(powrprof.IsPwrShutdownAllowed(), 1);   // "yes"
  EXPECT_EQ(powrprof.IsPwrSuspendAllowed(), 0);    // "no"
  EXPECT_EQ(powrprof.IsPwrHibernateAllowed(), 0);  // "challenge": would need a password
  ASSERT_TRUE(bus_->owned());
  EXPECT_EQ(powrprof.SetSuspendState(1, 0, 0), 1);
  EXPECT_EQ(powrprof.SetSuspendState(0, 1, 1), 1);
  EXPECT_EQ(requests(), (std::vector<std::string>{"CanPowerOff", "CanSuspend", "CanHibernate",
                                                  "Hibernate False", "Suspend False"}));
}

TEST(LogindWithoutBus, NoBusIsNotSupported) {
  PrivateBus bus;  // owns the address variable, then points it at nothing
  ASSERT_TRUE(bus.owned()) << bus.failure();
  const std::string nowhere = "unix:path=/nonexistent/zavrin-no-bus";
  ::setenv("DBUS_SYSTEM_BUS_ADDRESS", nowhere.c_str(), 1);
  posix::User32Posix user32;
  SetLastError(0);
  EXPECT_EQ(user32.ExitWindowsEx(kEwxReboot, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(kErrorNotSupported));
  Logind logind;
  EXPECT_FALSE(logind.connected());
  LogindResult result;
  EXPECT_EQ(logind.canSuspend(&result), "");
  EXPECT_FALSE(result.ok);
  posix::PowrprofPosix powrprof("/nonexistent");
  EXPECT_EQ(powrprof.IsPwrSuspendAllowed(), 0);
  EXPECT_EQ(powrprof.SetSuspendState(0, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(kErrorNotSupported));
  ::setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().c_str(), 1);
}

}  // namespace
}  // namespace zs::platform
