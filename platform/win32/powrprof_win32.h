// The power-management operations of powrprof, passed straight to the system.
#pragma once

#include "platform/powrprof.h"

namespace zs::platform::win32 {

class PowrprofWin32 : public Powrprof {
 public:
  BOOLEAN GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) override;
  BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) override;
  BOOLEAN IsPwrHibernateAllowed() override;
  BOOLEAN IsPwrSuspendAllowed() override;
  BOOLEAN IsPwrShutdownAllowed() override;
};

}  // namespace zs::platform::win32
