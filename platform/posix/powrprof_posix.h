// powrprof on Linux. The capabilities come from sysfs under an injectable
// root (power and sleep keys of the input devices, the kernel's sleep states
// and resume device, thermal zones, rotational disks, the power supplies);
// the policy questions and the sleep requests go to logind (logind.h), never
// interactively, and a state is allowed only when logind answers "yes".
// docs/power.md has the mapping.
#pragma once

#include <string>

#include "platform/powrprof.h"

namespace zs::platform::posix {

class PowrprofPosix : public Powrprof {
 public:
  explicit PowrprofPosix(std::string sysRoot = "/sys") : sys_(std::move(sysRoot)) {}

  BOOLEAN GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) override;
  BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) override;
  BOOLEAN IsPwrHibernateAllowed() override;
  BOOLEAN IsPwrSuspendAllowed() override;
  BOOLEAN IsPwrShutdownAllowed() override;

 private:
  std::string sys_;
};

// Whether the key bitmap of an input device (capabilities/key: hexadecimal
// words of `wordBits` bits, the most significant first) has bit `code`.
bool keyBitSet(const std::string& bitmap, unsigned code, unsigned wordBits = 8 * sizeof(long));

}  // namespace zs::platform::posix
