// ZSPower over the in-memory kernel32, advapi32 and powrprof: the snapshot
// of Initialize, the battery bits, the privilege steps (token closed) before
// each sleep request, and the policy questions asked on every call.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/error.h"
#include "platform/testing/fake_advapi32.h"
#include "platform/testing/fake_kernel32.h"
#include "platform/testing/fake_powrprof.h"
#include "sysinfo/power.h"

namespace zs {
namespace {

using namespace platform;
using platform::testing::FakeAdvapi32;
using platform::testing::FakeKernel32;
using platform::testing::FakePowrprof;

class PowerFake : public ::testing::Test {
 protected:
  std::shared_ptr<Power> make() {
    Libraries libs;
    libs.kernel32 = kernel;
    libs.advapi32 = advapi;
    libs.powrprof = powrprof;
    return create<Power>(libs);
  }
  void status(BYTE ac, BYTE flag) {
    SYSTEM_POWER_STATUS s{};
    s.ACLineStatus = ac;
    s.BatteryFlag = flag;
    s.BatteryLifePercent = 50;
    kernel->setPowerStatus(s);
  }

  std::shared_ptr<FakeKernel32> kernel = std::make_shared<FakeKernel32>();
  std::shared_ptr<FakeAdvapi32> advapi = std::make_shared<FakeAdvapi32>();
  std::shared_ptr<FakePowrprof> powrprof = std::make_shared<FakePowrprof>();
};

TEST_F(PowerFake, BatteryTestsLookAtTheirOwnBit) {
  struct Case {
    BYTE ac, flag;
    bool acPower, low, full, charging, critical;
  };
  const Case cases[] = {
      {1, 8, true, false, false, true, false},
      {1, 9, true, false, true, true, false},    // high and charging: both
      {0, 2, false, true, false, false, false},
      {0, 4, false, false, false, false, true},
      {1, 10, true, true, false, true, false},   // low and charging
      {255, 255, false, false, false, false, false},  // unknown: nothing is claimed
      {1, 128, true, false, false, false, false},     // no battery
      {0, 0, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    status(c.ac, c.flag);
    auto power = make();
    SCOPED_TRACE("flag " + std::to_string(c.flag));
    EXPECT_EQ(power->ACPowerExists(), c.acPower);
    EXPECT_EQ(power->BatteryIsLow(), c.low);
    EXPECT_EQ(power->BatteryIsFull(), c.full);
    EXPECT_EQ(power->BatteryIsCharging(), c.charging);
    EXPECT_EQ(power->BatteryIsCritical(), c.critical);
  }
}

TEST_F(PowerFake, CapabilitiesAreTheSnapshotOfInitialize) {
  SYSTEM_POWER_CAPABILITIES caps{};
  caps.PowerButtonPresent = 1;
  caps.HiberFilePresent = 1;
  caps.ThermalControl = 1;
  caps.DiskSpinDown = 1;
  powrprof->setCapabilities(caps);
  status(1, 1);
  auto power = make();
  SYSTEM_POWER_CAPABILITIES none{};
  powrprof->setCapabilities(none);  // later changes are not seen
  status(0, 4);
  const std::pair<std::function<bool()>, bool> cases[] = {
      {[&] { return power->PowerButtonPresent(); }, true},
      {[&] { return power->SleepButtonPresent(); }, false},
      {[&] { return power->HiberFilePresent(); }, true},
      {[&] { return power->WakeSupport(); }, false},
      {[&] { return power->ThermalControl(); }, true},
      {[&] { return power->DiskSpinDown(); }, true},
      {[&] { return power->ACPowerExists(); }, true},
      {[&] { return power->BatteryIsFull(); }, true},
      {[&] { return power->BatteryIsCritical(); }, false},
  };
  for (const auto& [member, expected] : cases) EXPECT_EQ(member(), expected);
  EXPECT_EQ(std::count(powrprof->calls().begin(), powrprof->calls().end(), "GetPwrCapabilities"),
            1);
}

TEST_F(PowerFake, FailingCallsLeaveEveryTestFalse) {
  SYSTEM_POWER_CAPABILITIES caps{};
  caps.PowerButtonPresent = 1;
  powrprof->setCapabilities(caps);
  powrprof->failCapabilities();
  status(1, 9);
  kernel->failPowerStatus();
  auto power = make();
  std::vector<Argument> none;
  for (const char* name : {"DiskSpinDown", "ThermalControl", "WakeSupport", "HiberFilePresent",
                           "SleepButtonPresent", "PowerButtonPresent", "ACPowerExists",
                           "BatteryIsLow", "BatteryIsFull", "BatteryIsCharging",
                           "BatteryIsCritical"}) {
    EXPECT_FALSE(invoke(*power, name, CallKind::Method, none).boolean()) << name;
  }
}

TEST_F(PowerFake, EachActionEnablesThePrivilegeFirstAndClosesTheToken) {
  auto power = make();
  std::vector<std::size_t> adjustedBefore;
  powrprof->onSuspendState([&] { adjustedBefore.push_back(advapi->tokenCalls().size()); });
  power->Hibernate();
  power->Suspend();
  const std::string token = std::to_string(FakeAdvapi32::kToken);
  const std::vector<std::string> steps = {
      "OpenProcessToken(" + std::to_string(kCurrentProcess) + ",40)",
      "LookupPrivilegeValueA(null,SeShutdownPrivilege)",
      "AdjustTokenPrivileges(" + token + ",0,1,19,2,16,0,4)",
  };
  std::vector<std::string> twice = steps;
  twice.insert(twice.end(), steps.begin(), steps.end());
  EXPECT_EQ(advapi->tokenCalls(), twice);
  EXPECT_EQ(adjustedBefore, (std::vector<std::size_t>{3, 6})) << "privilege before each request";
  const std::vector<std::string> requests(powrprof->calls().begin() + 1, powrprof->calls().end());
  EXPECT_EQ(requests, (std::vector<std::string>{"SetSuspendState(1,0,0)", "SetSuspendState(0,0,0)"}));
  EXPECT_EQ(std::count(kernel->calls().begin(), kernel->calls().end(), "CloseHandle(" + token + ")"),
            2);
}

TEST_F(PowerFake, ATokenThatCannotBeOpenedSkipsThePrivilegeButNotTheRequest) {
  advapi->failOpenProcessToken();
  auto power = make();
  power->Suspend();
  EXPECT_EQ(advapi->tokenCalls().size(), 1u);
  EXPECT_EQ(powrprof->calls().back(), "SetSuspendState(0,0,0)");
  for (const auto& call : kernel->calls()) EXPECT_EQ(call.rfind("CloseHandle", 0), std::string::npos);
}

// The Wine suite relies on this to show that the actions exist without
// running them.
TEST_F(PowerFake, AnActionWithAnArgumentIsRefusedBeforeItRuns) {
  auto power = make();
  for (const char* name : {"Hibernate", "Suspend"}) {
    std::vector<Argument> one = {Argument::byValue(Variant(Long{1}))};
    try {
      invoke(*power, name, CallKind::Method, one);
      ADD_FAILURE() << name << " ran";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), 450) << name;
    }
  }
  EXPECT_TRUE(advapi->tokenCalls().empty());
  EXPECT_EQ(powrprof->calls().size(), 1u) << "only Initialize's GetPwrCapabilities";
}

TEST_F(PowerFake, PolicyQuestionsAreAskedOnEveryCall) {
  auto power = make();
  powrprof->allow(true, false, true);
  EXPECT_TRUE(power->IsPowerHibernateAllowed());
  EXPECT_FALSE(power->IsPowerSuspendAllowed());
  EXPECT_TRUE(power->IsPowerShutdownAllowed());
  powrprof->allow(false, true, false);
  EXPECT_FALSE(power->IsPowerHibernateAllowed());
  EXPECT_TRUE(power->IsPowerSuspendAllowed());
  EXPECT_FALSE(power->IsPowerShutdownAllowed());
  EXPECT_EQ(powrprof->calls().size(), 7u);  // one GetPwrCapabilities, six questions
}

}  // namespace
}  // namespace zs
