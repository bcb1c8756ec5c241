#include "sysinfo/win_version.h"

#include <algorithm>
#include <string_view>

#include "platform/ansi.h"

namespace zs {

WinVersion::WinVersion(const platform::Libraries& libraries) : api_(libraries.kernel32) {}

platform::OSVERSIONINFOA WinVersion::query() {
  platform::OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  api_->GetVersionExA(&info);  // a failure leaves the zeroed record
  return info;
}

void WinVersion::Initialize() { cached_ = query(); }

Long WinVersion::MajorVersion() const { return static_cast<Long>(cached_.dwMajorVersion); }
Long WinVersion::MinorVersion() const { return static_cast<Long>(cached_.dwMinorVersion); }
Long WinVersion::BuildNumber() const { return static_cast<Long>(cached_.dwBuildNumber); }

Long WinVersion::QueryPlatform() { return static_cast<Long>(query().dwPlatformId); }

Long WinVersion::QuerySystem() {
  const auto info = query();
  return systemCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

Long systemCode(platform::DWORD platformId, platform::DWORD major, platform::DWORD minor) {
  const Long signedMajor = static_cast<Long>(major);
  switch (platformId) {
    case 0:
      return System_Windows_32;
    case 1:
      if (minor == 0) return System_Windows_95;
      if (minor == 10) return System_Windows_98;
      if (minor == 90) return System_Windows_ME;
      return System_Windows_32;
    case 2:
      if (signedMajor < 5) return System_Windows_NT;
      if (signedMajor == 5 && minor == 0) return System_Windows_2K;
      if (signedMajor == 5 && minor == 1) return System_Windows_XP;
      return System_Windows_32;
    default:
      return System_Windows_32;
  }
}

String WinVersion::OperatingPlatform() {
  switch (QueryPlatform()) {
    case Platform_Windows_32: return u"Windows 32";
    case Platform_Windows_95_98_ME: return u"Windows 95/98/ME";
    case Platform_Windows_NT_2K_XP: return u"Windows NT/2K/XP";
    default: return {};
  }
}

String WinVersion::OperatingSystem() {
  static constexpr const char16_t* kNames[] = {u"Windows 32", u"Windows 95", u"Windows 98",
                                               u"Windows ME", u"Windows NT", u"Windows 2K",
                                               u"Windows XP"};
  const Long code = QuerySystem();
  return code >= 0 && code <= System_Windows_XP ? String(kNames[code]) : String();
}

String WinVersion::ExtraInfo() const {
  // The whole field converted, NULs after the text included, then cut.
  const auto& field = cached_.szCSDVersion;
  String text = platform::fromAnsi(std::string_view(field, sizeof field));
  text.resize(std::min<std::size_t>(text.size(), 3), u'\0');
  const auto first = text.find_first_not_of(u' ');
  if (first == String::npos) return {};
  const auto last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

Boolean WinVersion::IsWindows32() { return QuerySystem() == System_Windows_32; }
Boolean WinVersion::IsWindows95() { return QuerySystem() == System_Windows_95; }
Boolean WinVersion::IsWindows98() { return QuerySystem() == System_Windows_98; }
Boolean WinVersion::IsWindowsME() { return QuerySystem() == System_Windows_ME; }
Boolean WinVersion::IsWindowsNT() { return QuerySystem() == System_Windows_NT; }
Boolean WinVersion::IsWindows2K() { return QuerySystem() == System_Windows_2K; }
Boolean WinVersion::IsWindowsXP() { return QuerySystem() == System_Windows_XP; }

}  // namespace zs
