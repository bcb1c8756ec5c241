#include "sysinfo/windows.h"

#include <algorithm>
#include <string>

#include "core/error.h"
#include "platform/ansi.h"

namespace zs {
namespace {

constexpr platform::DWORD kNameBuffer = 255;
constexpr int kMaxAttempts = 4;
// The largest buffer a retry asks for; a larger reported size is no name.
constexpr platform::DWORD kMaxNameBuffer = 64 * 1024;

}  // namespace

Windows::Windows(const platform::Libraries& libraries)
    : libraries_(libraries), currentVersion_(libraries) {}

void Windows::exitWindows(platform::UINT flags) { libraries_.user32->ExitWindowsEx(flags, 0); }

void Windows::ReBoot() { exitWindows(platform::kEwxReboot); }
void Windows::ShutDown() { exitWindows(platform::kEwxShutdown); }
void Windows::PowerOff() { exitWindows(platform::kEwxPowerOff); }
void Windows::LogOff() { exitWindows(platform::kEwxLogoff); }
void Windows::Force() { exitWindows(platform::kEwxForce); }

String Windows::LicensingInfo() { return currentVersion_.read(u"LicensingInfo"); }
String Windows::RegisteredOwner() { return currentVersion_.read(u"RegisteredOwner"); }
String Windows::RegisteredOrganization() {
  return currentVersion_.read(u"RegisteredOrganization");
}
String Windows::ProductType() { return currentVersion_.read(u"ProductType"); }
String Windows::ProductKey() { return currentVersion_.read(u"ProductKey"); }
String Windows::ProductName() { return currentVersion_.read(u"ProductName"); }
String Windows::ProductId() { return currentVersion_.read(u"ProductId"); }
String Windows::PlusVersionNumber() { return currentVersion_.read(u"Plus! VersionNumber"); }

String Windows::UserName() {
  std::string buffer(kNameBuffer, ' ');
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    platform::DWORD size = static_cast<platform::DWORD>(buffer.size());
    const bool ok = libraries_.advapi32->GetUserNameA(buffer.data(), &size) != 0;
    // The size counts the NUL: 0 leaves no length at all.
    if (size == 0) raise(err::kInvalidCall);
    if (ok) {
      const std::size_t length = std::min<std::size_t>(size - 1, buffer.size());
      return platform::fromAnsi(std::string_view(buffer.data(), length));
    }
    // A failure that names a larger buffer is asked again with it; any other
    // failure is no name, never the buffer's filler.
    if (size <= buffer.size() || size > kMaxNameBuffer) break;
    buffer.assign(size, ' ');
  }
  return {};
}

String Windows::ComputerName() {
  std::string buffer(kNameBuffer, ' ');
  platform::DWORD size = kNameBuffer;
  libraries_.kernel32->GetComputerNameA(buffer.data(), &size);
  const std::size_t end = buffer.find('\0');
  if (end == std::string::npos) raise(err::kInvalidCall);
  return platform::fromAnsi(std::string_view(buffer.data(), end));
}

}  // namespace zs
