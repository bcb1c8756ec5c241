// ZSPower: hibernates or suspends the machine and reports its power
// capabilities, mains and battery state (a snapshot taken at Initialize) and
// whether the system allows hibernation, suspend and shutdown (asked afresh
// on every call). docs/power.md.
#pragma once

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/libraries.h"

namespace zs {

class Power : public Control {
 public:
  explicit Power(const platform::Libraries& libraries = platform::systemLibraries());

  // Reads the power status and the capabilities once.
  void Initialize() override;

  // The shutdown privilege, then the sleep request; results ignored.
  void Hibernate();
  void Suspend();

  Boolean DiskSpinDown() const;
  Boolean ThermalControl() const;
  Boolean WakeSupport() const;
  Boolean HiberFilePresent() const;
  Boolean SleepButtonPresent() const;
  Boolean PowerButtonPresent() const;
  Boolean ACPowerExists() const;
  // The battery tests look at their own bit of the flag byte (high, low,
  // charging, critical); a flag of 255 (unknown) answers False to all four.
  Boolean BatteryIsLow() const;
  Boolean BatteryIsFull() const;
  Boolean BatteryIsCharging() const;
  Boolean BatteryIsCritical() const;

  Boolean IsPowerHibernateAllowed();
  Boolean IsPowerSuspendAllowed();
  Boolean IsPowerShutdownAllowed();

  const ClassInfo* classInfo() const override;

 private:
  void enableShutdownPrivilege();
  Boolean batteryBit(platform::BYTE bit) const;

  platform::Libraries libraries_;
  platform::SYSTEM_POWER_STATUS status_{};
  platform::SYSTEM_POWER_CAPABILITIES capabilities_{};
};

}  // namespace zs
