// The power-management operations of powrprof, with the Win32 names,
// argument order and results.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types.h"

namespace zs::platform {

using BOOLEAN = std::uint8_t;

// SYSTEM_POWER_CAPABILITIES as GetPwrCapabilities fills it: one-byte
// Booleans, then the battery scales and the wake states; 76 bytes.
struct BATTERY_REPORTING_SCALE {
  DWORD Granularity;
  DWORD Capacity;
};
struct SYSTEM_POWER_CAPABILITIES {
  BOOLEAN PowerButtonPresent;   // byte 0
  BOOLEAN SleepButtonPresent;   // 1
  BOOLEAN LidPresent;
  BOOLEAN SystemS1;
  BOOLEAN SystemS2;
  BOOLEAN SystemS3;             // suspend to memory
  BOOLEAN SystemS4;             // hibernation
  BOOLEAN SystemS5;
  BOOLEAN HiberFilePresent;     // 8
  BOOLEAN FullWake;             // 9
  BOOLEAN VideoDimPresent;
  BOOLEAN ApmPresent;
  BOOLEAN UpsPresent;
  BOOLEAN ThermalControl;       // 13
  BOOLEAN ProcessorThrottle;
  BYTE ProcessorMinThrottle;
  BYTE ProcessorMaxThrottle;
  BOOLEAN FastSystemS4;
  BYTE spare2[3];
  BOOLEAN DiskSpinDown;         // 21
  BYTE spare3[8];
  BOOLEAN SystemBatteriesPresent;  // 30
  BOOLEAN BatteriesAreShortTerm;
  BATTERY_REPORTING_SCALE BatteryScale[3];
  std::int32_t AcOnLineWake;
  std::int32_t SoftLidWake;
  std::int32_t RtcWake;
  std::int32_t MinDeviceWakeState;
  std::int32_t DefaultLowLatencyWake;
};
static_assert(sizeof(SYSTEM_POWER_CAPABILITIES) == 76);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, SleepButtonPresent) == 1);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, HiberFilePresent) == 8);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, FullWake) == 9);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, ThermalControl) == 13);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, DiskSpinDown) == 21);
static_assert(offsetof(SYSTEM_POWER_CAPABILITIES, SystemBatteriesPresent) == 30);

class Powrprof {
 public:
  virtual ~Powrprof() = default;
  // Fills the record (every field it cannot tell is 0); 0 on failure.
  virtual BOOLEAN GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) = 0;
  // Hibernates (hibernate nonzero) or suspends the system; nonzero when the
  // request was accepted.
  virtual BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) = 0;
  // Whether the system supports and allows each state for this caller.
  virtual BOOLEAN IsPwrHibernateAllowed() = 0;
  virtual BOOLEAN IsPwrSuspendAllowed() = 0;
  virtual BOOLEAN IsPwrShutdownAllowed() = 0;
};

}  // namespace zs::platform
