#include "platform/win32/powrprof_win32.h"

#include <windows.h>
// powrprof.h needs windows.h first.
#include <powrprof.h>

namespace zs::platform::win32 {

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
