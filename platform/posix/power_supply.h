// The mains and battery state from the kernel's power-supply class
// (<sys>/class/power_supply/*), as a SYSTEM_POWER_STATUS. docs/power.md has
// the mapping:
// - supplies whose scope is "Device" (a mouse's or a phone's battery) are
//   not the system's and are ignored; so are batteries whose present is 0;
// - the AC line is online when any external supply (Mains, USB*, Wireless)
//   is online, offline when there are some and none is; without any, a
//   discharging battery means offline, a charging one online, and a machine
//   with no supply at all runs from the mains (online, "no battery");
// - the batteries are aggregated: energy (µWh) sums when every battery gives
//   energy_now and energy_full, else charge (µAh) sums, else the mean of the
//   capacity percentages;
// - the flag bits: high above 66 %, low below 33 %, critical below 5 % (low
//   and critical are exclusive), charging when any battery charges; 255 when
//   batteries are present but give no level;
// - the life times come from the sums and the draw (power_now / current_now)
//   while discharging; unknown (0xFFFFFFFF) otherwise.
#pragma once

#include <string>

#include "platform/kernel32.h"

namespace zs::platform::posix {

// False when the folder cannot be listed (no sysfs).
bool readPowerStatus(const std::string& sysRoot, SYSTEM_POWER_STATUS* status);

}  // namespace zs::platform::posix
