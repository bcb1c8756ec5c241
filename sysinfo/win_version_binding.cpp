// ZSWinVersion in the catalogue: thirteen methods without arguments and the
// two version enumerations.
#include "frame/bindings.h"
#include "sysinfo/member_helpers.h"
#include "sysinfo/win_version.h"

namespace zs {
namespace {

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<WinVersion, Fn>;

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      method("MajorVersion", 0x02, t::Long, call<&WinVersion::MajorVersion>),
      method("MinorVersion", 0x03, t::Long, call<&WinVersion::MinorVersion>),
      method("BuildNumber", 0x04, t::Long, call<&WinVersion::BuildNumber>),
      method("OperatingPlatform", 0x05, t::String, call<&WinVersion::OperatingPlatform>),
      method("OperatingSystem", 0x06, t::String, call<&WinVersion::OperatingSystem>),
      method("ExtraInfo", 0x07, t::String, call<&WinVersion::ExtraInfo>),
      method("IsWindows32", 0x08, t::Boolean, call<&WinVersion::IsWindows32>),
      method("IsWindows95", 0x09, t::Boolean, call<&WinVersion::IsWindows95>),
      method("IsWindows98", 0x0A, t::Boolean, call<&WinVersion::IsWindows98>),
      method("IsWindowsME", 0x0B, t::Boolean, call<&WinVersion::IsWindowsME>),
      method("IsWindowsNT", 0x0C, t::Boolean, call<&WinVersion::IsWindowsNT>),
      method("IsWindows2K", 0x0D, t::Boolean, call<&WinVersion::IsWindows2K>),
      method("IsWindowsXP", 0x0E, t::Boolean, call<&WinVersion::IsWindowsXP>),
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSWinVersionOPConstants",
       {{"Platform_Windows_32", Platform_Windows_32},
        {"Platform_Windows_95_98_ME", Platform_Windows_95_98_ME},
        {"Platform_Windows_NT_2K_XP", Platform_Windows_NT_2K_XP}}},
      {"ZSWinVersionOSConstants",
       {{"System_Windows_32", System_Windows_32},
        {"System_Windows_95", System_Windows_95},
        {"System_Windows_98", System_Windows_98},
        {"System_Windows_ME", System_Windows_ME},
        {"System_Windows_NT", System_Windows_NT},
        {"System_Windows_2K", System_Windows_2K},
        {"System_Windows_XP", System_Windows_XP}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSWinVersion{members, [] { return ObjectPtr(create<WinVersion>()); },
                                          enums};

const ClassInfo* WinVersion::classInfo() const { return &zs::classInfo(ClassId::ZSWinVersion); }

}  // namespace zs
