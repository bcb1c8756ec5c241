// The Linux power status and capabilities over fixture sysfs trees: mains and
// batteries (device-scope batteries ignored, energy or charge sums, the flag
// bits, life times), input-key bitmaps, sleep states, the resume device,
// thermal zones and rotational disks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/posix/kernel32_posix.h"
#include "platform/posix/power_supply.h"
#include "platform/posix/powrprof_posix.h"
#include "platform/testing/temp_folder.h"

namespace zs::platform {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

class SysTree {
 public:
  explicit SysTree(const Files& files) {
    for (const auto& [path, text] : files) {
      const fs::path file = fs::path(folder_.path()) / path;
      fs::create_directories(file.parent_path());
      std::ofstream(file) << text << "\n";
    }
    fs::create_directories(fs::path(folder_.path()) / "class/power_supply");
  }
  const std::string& root() const { return folder_.path(); }

 private:
  testsupport::TempFolder folder_;
};

SYSTEM_POWER_STATUS statusOf(const Files& files) {
  SysTree tree(files);
  SYSTEM_POWER_STATUS s{};
  EXPECT_TRUE(posix::readPowerStatus(tree.root(), &s));
  return s;
}

constexpr char kPs[] = "class/power_supply/";

TEST(PowerSupply, MainsAndBatteriesBecomeTheWindowsRecord) {
  struct Case {
    const char* label;
    Files files;
    BYTE ac, flag, percent;
    DWORD life, fullLife;
  };
  const std::string ac = std::string(kPs) + "AC/", bat0 = std::string(kPs) + "BAT0/",
                    bat1 = std::string(kPs) + "BAT1/", mouse = std::string(kPs) + "hidpp_battery_0/";
  const Case cases[] = {
      {"no supply at all: a mains machine", {}, 1, kBatteryNone, 255, kBatteryTimeUnknown,
       kBatteryTimeUnknown},
      {"on mains, charging, high",
       {{ac + "type", "Mains"}, {ac + "online", "1"}, {bat0 + "type", "Battery"},
        {bat0 + "status", "Charging"}, {bat0 + "energy_now", "40000000"},
        {bat0 + "energy_full", "50000000"}, {bat0 + "power_now", "10000000"}},
       1, kBatteryHigh | kBatteryCharging, 80, kBatteryTimeUnknown, kBatteryTimeUnknown},
      {"discharging: life times from energy and power",
       {{ac + "type", "Mains"}, {ac + "online", "0"}, {bat0 + "type", "Battery"},
        {bat0 + "status", "Discharging"}, {bat0 + "energy_now", "10000000"},
        {bat0 + "energy_full", "50000000"}, {bat0 + "power_now", "10000000"}},
       0, kBatteryLow, 20, 3600, 18000},
      {"two batteries summed by charge",
       {{bat0 + "type", "Battery"}, {bat0 + "status", "Discharging"},
        {bat0 + "charge_now", "1000"}, {bat0 + "charge_full", "10000"},
        {bat1 + "type", "Battery"}, {bat1 + "status", "Discharging"},
        {bat1 + "charge_now", "0"}, {bat1 + "charge_full", "30000"}},
       0, kBatteryCritical, 3, kBatteryTimeUnknown, kBatteryTimeUnknown},
      {"capacity only, a mouse battery ignored, an absent battery skipped",
       {{bat0 + "type", "Battery"}, {bat0 + "status", "Full"}, {bat0 + "capacity", "100"},
        {bat1 + "type", "Battery"}, {bat1 + "present", "0"}, {bat1 + "capacity", "1"},
        {mouse + "type", "Battery"}, {mouse + "scope", "Device"}, {mouse + "capacity", "2"},
        {mouse + "status", "Discharging"}},
       255, kBatteryHigh, 100, kBatteryTimeUnknown, kBatteryTimeUnknown},
      {"a battery without any level",
       {{bat0 + "type", "Battery"}, {bat0 + "status", "Unknown"}, {bat0 + "capacity", "n/a"}},
       255, 255, 255, kBatteryTimeUnknown, kBatteryTimeUnknown},
      {"a USB supply online counts as the mains",
       {{std::string(kPs) + "ucsi/type", "USB"}, {std::string(kPs) + "ucsi/online", "1"},
        {bat0 + "type", "Battery"}, {bat0 + "status", "Not charging"}, {bat0 + "capacity", "50"}},
       1, 0, 50, kBatteryTimeUnknown, kBatteryTimeUnknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const SYSTEM_POWER_STATUS s = statusOf(c.files);
    EXPECT_EQ(s.ACLineStatus, c.ac);
    EXPECT_EQ(s.BatteryFlag, c.flag);
    EXPECT_EQ(s.BatteryLifePercent, c.percent);
    EXPECT_EQ(s.BatteryLifeTime, c.life);
    EXPECT_EQ(s.BatteryFullLifeTime, c.fullLife);
  }
}

TEST(PowerSupply, NoSysfsFailsTheCall) {
  posix::SystemRoots roots;
  roots.sys = "/nonexistent/sys";
  posix::Kernel32Posix kernel(roots);
  SYSTEM_POWER_STATUS s{};
  s.ACLineStatus = 7;
  EXPECT_EQ(kernel.GetSystemPowerStatus(&s), 0);
  EXPECT_EQ(s.ACLineStatus, 7) << "untouched";
}

TEST(PowerKeys, BitmapWordsAreMostSignificantFirst) {
  const std::tuple<const char*, unsigned, unsigned, bool> cases[] = {
      {"10000000000000 0", 116, 64, true},           // KEY_POWER in the second word
      {"4000 0 0", 142, 64, true},                    // KEY_SLEEP in the third
      {"4000 0 0", 116, 64, false},
      {"0 0 0 0 100000 0 0 0", 116, 32, true},        // 32-bit words
      {"0", 116, 64, false},                           // too few words
      {"zz 0", 116, 64, false},                        // not hexadecimal
      {"", 116, 64, false},
  };
  for (const auto& [bitmap, code, bits, set] : cases) {
    EXPECT_EQ(posix::keyBitSet(bitmap, code, bits), set) << bitmap << " bit " << code;
  }
}

TEST(PowerCapabilities, FromTheSysfsTree) {
  SysTree full({{"class/input/input3/capabilities/key", "10000000000000 0"},
                {"class/input/input4/capabilities/key", "4000 0 0"},
                {"power/state", "freeze mem disk"},
                {"power/resume", "259:2"},
                {"class/thermal/thermal_zone0/mode", "enabled"},
                {"class/block/sda/queue/rotational", "1"},
                {"class/power_supply/BAT0/type", "Battery"},
                {"class/power_supply/BAT0/capacity", "90"}});
  SysTree bare({{"class/input/input0/capabilities/key", "0"},
                {"power/state", "freeze"},
                {"power/resume", "0:0"},
                {"class/thermal/thermal_zone0/mode", "disabled"},
                {"class/thermal/cooling_device0/type", "fan"},
                {"class/block/nvme0n1/queue/rotational", "0"}});
  SYSTEM_POWER_CAPABILITIES a{}, b{};
  ASSERT_EQ(posix::PowrprofPosix(full.root()).GetPwrCapabilities(&a), 1);
  ASSERT_EQ(posix::PowrprofPosix(bare.root()).GetPwrCapabilities(&b), 1);
  const std::tuple<const char*, BOOLEAN, BOOLEAN> fields[] = {
      {"PowerButtonPresent", a.PowerButtonPresent, b.PowerButtonPresent},
      {"SleepButtonPresent", a.SleepButtonPresent, b.SleepButtonPresent},
      {"SystemS3", a.SystemS3, b.SystemS3},
      {"SystemS4", a.SystemS4, b.SystemS4},
      {"HiberFilePresent", a.HiberFilePresent, b.HiberFilePresent},
      {"ThermalControl", a.ThermalControl, b.ThermalControl},
      {"DiskSpinDown", a.DiskSpinDown, b.DiskSpinDown},
      {"SystemBatteriesPresent", a.SystemBatteriesPresent, b.SystemBatteriesPresent},
  };
  for (const auto& [name, inFull, inBare] : fields) {
    EXPECT_EQ(inFull, 1) << name;
    EXPECT_EQ(inBare, 0) << name;
  }
  EXPECT_EQ(a.FullWake, 1);
  EXPECT_EQ(b.FullWake, 1) << "freeze is a sleep state to wake from";
}

}  // namespace
}  // namespace zs::platform
