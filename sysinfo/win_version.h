// ZSWinVersion: which Windows the host runs on. The version numbers and the
// service-pack text come from one record read at Initialize; the platform and
// system names and the IsWindows tests ask the platform again on every call.
#pragma once

#include <memory>

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/kernel32.h"
#include "platform/libraries.h"

namespace zs {

// ZSWinVersionOPConstants: the platform identifiers.
enum WinVersionPlatform : Long {
  Platform_Windows_32 = 0,
  Platform_Windows_95_98_ME = 1,
  Platform_Windows_NT_2K_XP = 2,
};

// ZSWinVersionOSConstants: the systems the decision table knows.
enum WinVersionSystem : Long {
  System_Windows_32 = 0,
  System_Windows_95 = 1,
  System_Windows_98 = 2,
  System_Windows_ME = 3,
  System_Windows_NT = 4,
  System_Windows_2K = 5,
  System_Windows_XP = 6,
};

class WinVersion : public Control {
 public:
  explicit WinVersion(const platform::Libraries& libraries = platform::systemLibraries());

  void Initialize() override;

  Long MajorVersion() const;
  Long MinorVersion() const;
  // The whole 32-bit field, nothing masked.
  Long BuildNumber() const;
  String OperatingPlatform();
  String OperatingSystem();
  // The first three characters of the 128-character service-pack field,
  // trailing NULs included, without leading and trailing spaces.
  String ExtraInfo() const;
  Boolean IsWindows32();
  Boolean IsWindows95();
  Boolean IsWindows98();
  Boolean IsWindowsME();
  Boolean IsWindowsNT();
  Boolean IsWindows2K();
  Boolean IsWindowsXP();

  const ClassInfo* classInfo() const override;

 private:
  platform::OSVERSIONINFOA query();
  Long QueryPlatform();
  Long QuerySystem();

  std::shared_ptr<platform::Kernel32> api_;
  platform::OSVERSIONINFOA cached_{};
};

// The system code of a platform identifier and version (the decision table).
Long systemCode(platform::DWORD platformId, platform::DWORD major, platform::DWORD minor);

}  // namespace zs
