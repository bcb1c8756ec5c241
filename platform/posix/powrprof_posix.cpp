#include "platform/posix/powrprof_posix.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/last_error.h"
#include "platform/posix/logind.h"
#include "platform/posix/power_supply.h"

namespace zs::platform::posix {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kKeyPower = 116;    // KEY_POWER
constexpr unsigned kKeySleep = 142;    // KEY_SLEEP
constexpr unsigned kKeySuspend = 205;  // KEY_SUSPEND
constexpr std::size_t kMaxEntries = 512;
constexpr std::size_t kMaxText = 4096;

std::string readText(const fs::path& file) {
  std::ifstream in(file);
  std::string text(kMaxText, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

bool hasWord(const std::string& text, const std::string& word) {
  std::istringstream words(text);
  std::string w;
  while (words >> w) {
    if (w == word) return true;
  }
  return false;
}

// Calls `visit` with each entry of a sysfs class folder (at most kMaxEntries)
// until it answers true; whether one did.
template <class Visit>
bool anyEntry(const fs::path& folder, Visit visit) {
  std::error_code ec;
  fs::directory_iterator entries(folder, ec);
  if (ec) return false;
  std::size_t seen = 0;
  for (const auto& entry : entries) {
    if (++seen > kMaxEntries) break;
    if (visit(entry.path())) return true;
  }
  return false;
}

BOOLEAN answer(const LogindResult& result) {
  if (!result) SetLastError(win32Error(result));
  return result ? 1 : 0;
}

BOOLEAN allowed(const std::string& word, const LogindResult& result) {
  if (!result) SetLastError(win32Error(result));
  return word == "yes" ? 1 : 0;
}

}  // namespace

bool keyBitSet(const std::string& bitmap, unsigned code, unsigned wordBits) {
  std::vector<std::string> words;
  std::istringstream in(bitmap);
  std::string word;
  while (in >> word && words.size() < 64) words.push_back(word);
  const std::size_t index = code / wordBits;
  if (words.empty() || index >= words.size() || wordBits > 64) return false;
  const std::string& hex = words[words.size() - 1 - index];
  if (hex.empty() || hex.size() > wordBits / 4 ||
      hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return false;
  }
  const unsigned long long value = std::stoull(hex, nullptr, 16);
  return ((value >> (code % wordBits)) & 1u) != 0;
}

BOOLEAN PowrprofPosix::GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* caps) {
  if (caps == nullptr) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  const fs::path sys(sys_);
  SYSTEM_POWER_CAPABILITIES c{};
  const auto keys = [&](auto test) {
    return anyEntry(sys / "class/input", [&](const fs::path& dir) {
      return test(readText(dir / "capabilities/key"));
    });
  };
  c.PowerButtonPresent = keys([](const std::string& b) { return keyBitSet(b, kKeyPower); });
  c.SleepButtonPresent = keys([](const std::string& b) {
    return keyBitSet(b, kKeySleep) || keyBitSet(b, kKeySuspend);
  });
  const std::string states = readText(sys / "power/state");
  c.SystemS3 = hasWord(states, "mem");
  c.SystemS4 = hasWord(states, "disk");
  c.FullWake = c.SystemS3 || hasWord(states, "standby") || hasWord(states, "freeze");
  const std::string resume = readText(sys / "power/resume");
  c.HiberFilePresent = !resume.empty() && resume != "0:0";
  c.ThermalControl = anyEntry(sys / "class/thermal", [](const fs::path& dir) {
    return dir.filename().string().rfind("thermal_zone", 0) == 0 &&
           readText(dir / "mode") != "disabled";
  });
  c.DiskSpinDown = anyEntry(sys / "class/block", [](const fs::path& dir) {
    return readText(dir / "queue/rotational") == "1";
  });
  SYSTEM_POWER_STATUS status{};
  if (readPowerStatus(sys_, &status)) {
    c.SystemBatteriesPresent = status.BatteryFlag != kBatteryNone;
  }
  *caps = c;
  return 1;
}

BOOLEAN PowrprofPosix::SetSuspendState(BOOLEAN hibernate, BOOLEAN, BOOLEAN) {
  Logind logind;
  return answer(hibernate ? logind.hibernate() : logind.suspend());
}

BOOLEAN PowrprofPosix::IsPwrHibernateAllowed() {
  Logind logind;
  LogindResult result;
  const std::string word = logind.canHibernate(&result);
  return allowed(word, result);
}

BOOLEAN PowrprofPosix::IsPwrSuspendAllowed() {
  Logind logind;
  LogindResult result;
  const std::string word = logind.canSuspend(&result);
  return allowed(word, result);
}

BOOLEAN PowrprofPosix::IsPwrShutdownAllowed() {
  Logind logind;
  LogindResult result;
  const std::string word = logind.canPowerOff(&result);
  return allowed(word, result);
}

}  // namespace zs::platform::posix
