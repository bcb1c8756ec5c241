#include "sysinfo/power.h"

#include <memory>

namespace zs {
namespace {

constexpr platform::DWORD kTokenAccess = platform::kTokenAdjustPrivileges | platform::kTokenQuery;

}  // namespace

Power::Power(const platform::Libraries& libraries) : libraries_(libraries) {}

void Power::Initialize() {
  // A failing call leaves its record zeroed: every test then answers False.
  platform::SYSTEM_POWER_STATUS status{};
  if (libraries_.kernel32->GetSystemPowerStatus(&status)) status_ = status;
  platform::SYSTEM_POWER_CAPABILITIES capabilities{};
  if (libraries_.powrprof->GetPwrCapabilities(&capabilities)) capabilities_ = capabilities;
}

void Power::enableShutdownPrivilege() {
  auto& kernel = *libraries_.kernel32;
  auto& advapi = *libraries_.advapi32;
  platform::HANDLE token = 0;
  if (!advapi.OpenProcessToken(kernel.GetCurrentProcess(), kTokenAccess, &token) || token == 0) {
    return;
  }
  // The token is closed on every path.
  const auto close = [&kernel](platform::HANDLE* t) { kernel.CloseHandle(*t); };
  std::unique_ptr<platform::HANDLE, decltype(close)> closing(&token, close);
  platform::TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  advapi.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid);
  wanted.Privileges[0].Attributes = platform::kSePrivilegeEnabled;
  platform::TOKEN_PRIVILEGES previous{};
  platform::DWORD returned = sizeof(platform::DWORD);
  advapi.AdjustTokenPrivileges(token, 0, &wanted, sizeof wanted, &previous, &returned);
}

void Power::Hibernate() {
  enableShutdownPrivilege();
  libraries_.powrprof->SetSuspendState(1, 0, 0);
}

void Power::Suspend() {
  enableShutdownPrivilege();
  libraries_.powrprof->SetSuspendState(0, 0, 0);
}

Boolean Power::DiskSpinDown() const { return capabilities_.DiskSpinDown != 0; }
Boolean Power::ThermalControl() const { return capabilities_.ThermalControl != 0; }
Boolean Power::WakeSupport() const { return capabilities_.FullWake != 0; }
Boolean Power::HiberFilePresent() const { return capabilities_.HiberFilePresent != 0; }
Boolean Power::SleepButtonPresent() const { return capabilities_.SleepButtonPresent != 0; }
Boolean Power::PowerButtonPresent() const { return capabilities_.PowerButtonPresent != 0; }
Boolean Power::ACPowerExists() const { return status_.ACLineStatus == 1; }

Boolean Power::batteryBit(platform::BYTE bit) const {
  return status_.BatteryFlag != platform::kPowerStatusUnknown && (status_.BatteryFlag & bit) != 0;
}

Boolean Power::BatteryIsLow() const { return batteryBit(platform::kBatteryLow); }
Boolean Power::BatteryIsFull() const { return batteryBit(platform::kBatteryHigh); }
Boolean Power::BatteryIsCharging() const { return batteryBit(platform::kBatteryCharging); }
Boolean Power::BatteryIsCritical() const { return batteryBit(platform::kBatteryCritical); }

Boolean Power::IsPowerHibernateAllowed() { return libraries_.powrprof->IsPwrHibernateAllowed() != 0; }
Boolean Power::IsPowerSuspendAllowed() { return libraries_.powrprof->IsPwrSuspendAllowed() != 0; }
Boolean Power::IsPowerShutdownAllowed() { return libraries_.powrprof->IsPwrShutdownAllowed() != 0; }

}  // namespace zs
