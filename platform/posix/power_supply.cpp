#include "platform/posix/power_supply.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/last_error.h"
#include "platform/posix/kernel32_posix.h"

namespace zs::platform::posix {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxSupplies = 64;

std::string readWord(const fs::path& file) {
  std::ifstream in(file);
  std::string word;
  std::getline(in, word);
  while (!word.empty() && (word.back() == '\n' || word.back() == ' ' || word.back() == '\r')) {
    word.pop_back();
  }
  return word;
}

std::optional<double> readNumber(const fs::path& file) {
  const std::string text = readWord(file);
  if (text.empty()) return std::nullopt;
  try {
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    if (used != text.size() || !std::isfinite(value) || value < 0) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

struct Battery {
  std::string status;
  std::optional<double> energyNow, energyFull, power;
  std::optional<double> chargeNow, chargeFull, current;
  std::optional<double> capacity;
};

bool external(const std::string& type) {
  return type == "Mains" || type.rfind("USB", 0) == 0 || type == "Wireless";
}

// now / full as a percentage and the seconds now / full last at `rate`.
struct Level {
  std::optional<double> percent;
  std::optional<double> remaining, full;
};

Level sums(const std::vector<Battery>& batteries, std::optional<double> Battery::*now,
           std::optional<double> Battery::*full, std::optional<double> Battery::*rate) {
  Level level;
  double n = 0, f = 0, r = 0;
  bool rates = true;
  for (const auto& b : batteries) {
    if (!(b.*now) || !(b.*full)) return level;
    n += *(b.*now);
    f += *(b.*full);
    if (b.*rate) {
      r += *(b.*rate);
    } else {
      rates = false;
    }
  }
  if (f <= 0) return level;
  level.percent = std::min(100.0, 100.0 * n / f);
  if (rates && r > 0) {
    level.remaining = 3600.0 * n / r;
    level.full = 3600.0 * f / r;
  }
  return level;
}

DWORD seconds(std::optional<double> value) {
  if (!value || *value >= static_cast<double>(kBatteryTimeUnknown)) return kBatteryTimeUnknown;
  return static_cast<DWORD>(*value);
}

}  // namespace

bool readPowerStatus(const std::string& sysRoot, SYSTEM_POWER_STATUS* status) {
  std::error_code ec;
  fs::directory_iterator entries(fs::path(sysRoot) / "class/power_supply", ec);
  if (ec) return false;
  std::vector<Battery> batteries;
  int externals = 0, online = 0;
  std::size_t seen = 0;
  for (const auto& entry : entries) {
    if (++seen > kMaxSupplies) break;
    const fs::path dir = entry.path();
    if (readWord(dir / "scope") == "Device") continue;
    const std::string type = readWord(dir / "type");
    if (external(type)) {
      ++externals;
      if (readWord(dir / "online") == "1") ++online;
    } else if (type == "Battery") {
      if (readWord(dir / "present") == "0") continue;
      Battery b;
      b.status = readWord(dir / "status");
      b.energyNow = readNumber(dir / "energy_now");
      b.energyFull = readNumber(dir / "energy_full");
      b.power = readNumber(dir / "power_now");
      b.chargeNow = readNumber(dir / "charge_now");
      b.chargeFull = readNumber(dir / "charge_full");
      b.current = readNumber(dir / "current_now");
      b.capacity = readNumber(dir / "capacity");
      batteries.push_back(std::move(b));
    }
  }

  SYSTEM_POWER_STATUS s{};
  bool charging = false, discharging = false;
  for (const auto& b : batteries) {
    charging = charging || b.status == "Charging";
    discharging = discharging || b.status == "Discharging";
  }
  if (externals > 0) {
    s.ACLineStatus = online > 0 ? 1 : 0;
  } else if (batteries.empty()) {
    s.ACLineStatus = 1;  // nothing but the mains can run it
  } else {
    s.ACLineStatus = discharging ? 0 : charging ? 1 : kPowerStatusUnknown;
  }

  s.BatteryLifeTime = s.BatteryFullLifeTime = kBatteryTimeUnknown;
  if (batteries.empty()) {
    s.BatteryFlag = kBatteryNone;
    s.BatteryLifePercent = kPowerStatusUnknown;
  } else {
    Level level = sums(batteries, &Battery::energyNow, &Battery::energyFull, &Battery::power);
    if (!level.percent) {
      level = sums(batteries, &Battery::chargeNow, &Battery::chargeFull, &Battery::current);
    }
    if (!level.percent) {
      double total = 0;
      bool all = true;
      for (const auto& b : batteries) {
        if (b.capacity) {
          total += std::min(100.0, *b.capacity);
        } else {
          all = false;
        }
      }
      if (all) level.percent = total / static_cast<double>(batteries.size());
    }
    if (!level.percent) {
      s.BatteryFlag = kPowerStatusUnknown;
      s.BatteryLifePercent = kPowerStatusUnknown;
    } else {
      const double percent = *level.percent;
      s.BatteryLifePercent = static_cast<BYTE>(std::lround(percent));
      s.BatteryFlag = percent > 66 ? kBatteryHigh : percent < 5 ? kBatteryCritical
                      : percent < 33 ? kBatteryLow : 0;
      if (charging) s.BatteryFlag |= kBatteryCharging;
      if (discharging && !charging) {
        s.BatteryLifeTime = seconds(level.remaining);
        s.BatteryFullLifeTime = seconds(level.full);
      }
    }
  }
  *status = s;
  return true;
}

BOOL Kernel32Posix::GetSystemPowerStatus(SYSTEM_POWER_STATUS* status) {
  if (status == nullptr) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  if (!readPowerStatus(roots_.sys, status)) {
    SetLastError(kErrorNotSupported);
    return 0;
  }
  return 1;
}

}  // namespace zs::platform::posix
