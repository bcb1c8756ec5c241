#include "platform/win32/powrprof_win32.h"

#include <windows.h>
// powrprof.h needs windows.h first.
#include <powrprof.h>

#include <cstddef>

namespace zs::platform::win32 {

// Our record is read field by field on every platform; on Windows it is the
// system's record, so each field the components read sits where the system
// writes it.
#define ZS_SAME_OFFSET(field) \
  static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, field) == offsetof(::SYSTEM_POWER_CAPABILITIES, field))
ZS_SAME_OFFSET(PowerButtonPresent);
ZS_SAME_OFFSET(SleepButtonPresent);
ZS_SAME_OFFSET(SystemS3);
ZS_SAME_OFFSET(SystemS4);
ZS_SAME_OFFSET(HiberFilePresent);
ZS_SAME_OFFSET(FullWake);
ZS_SAME_OFFSET(ThermalControl);
ZS_SAME_OFFSET(DiskSpinDown);
ZS_SAME_OFFSET(SystemBatteriesPresent);
ZS_SAME_OFFSET(BatteriesAreShortTerm);
ZS_SAME_OFFSET(BatteryScale);
ZS_SAME_OFFSET(DefaultLowLatencyWake);
#undef ZS_SAME_OFFSET

BOOLEAN PowrprofWin32::GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) {
  static_assert(sizeof(SYSTEM_POWER_CAPABILITIES) == sizeof(::SYSTEM_POWER_CAPABILITIES));
  return ::GetPwrCapabilities(reinterpret_cast<::PSYSTEM_POWER_CAPABILITIES>(capabilities));
}

BOOLEAN PowrprofWin32::SetSuspendState(BOOLEAN hibernate, BOOLEAN force,
                                       BOOLEAN wakeupEventsDisabled) {
  return ::SetSuspendState(hibernate, force, wakeupEventsDisabled);
}

BOOLEAN PowrprofWin32::IsPwrHibernateAllowed() { return ::IsPwrHibernateAllowed(); }
BOOLEAN PowrprofWin32::IsPwrSuspendAllowed() { return ::IsPwrSuspendAllowed(); }
BOOLEAN PowrprofWin32::IsPwrShutdownAllowed() { return ::IsPwrShutdownAllowed(); }

}  // namespace zs::platform::win32
