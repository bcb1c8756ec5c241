// ZSWindows: ends the session or the system through user32's ExitWindowsEx,
// and answers the installation's identity (the values under HKLM
// Software\Microsoft\Windows\CurrentVersion, read through one ZSRegistry
// created at first need) and the user and computer names.
// docs/windows-session.md.
#pragma once

#include "core/class_info.h"
#include "core/property_bag.h"
#include "platform/libraries.h"
#include "sysinfo/current_version.h"

namespace zs {

class Windows : public Control {
 public:
  explicit Windows(const platform::Libraries& libraries = platform::systemLibraries());

  // One ExitWindowsEx call each, its result ignored.
  void ReBoot();
  void ShutDown();
  void PowerOff();
  void LogOff();
  void Force();

  // The registry values; "" when absent.
  String LicensingInfo();
  String RegisteredOwner();
  String RegisteredOrganization();
  String ProductType();
  String ProductKey();
  String ProductName();
  String ProductId();
  String PlusVersionNumber();

  // The name without its NUL, as many bytes as the call reports; "" when the
  // call fails; error 5 when it reports a size of 0.
  String UserName();
  // The name up to the first NUL of the buffer; error 5 when there is none
  // (the call failed and wrote nothing).
  String ComputerName();

  // The registry object the identity members share; null until the first.
  const Registry* registryObject() const { return currentVersion_.registry(); }

  const ClassInfo* classInfo() const override;

 private:
  void exitWindows(platform::UINT flags);

  platform::Libraries libraries_;
  sysinfo::CurrentVersionValues currentVersion_;
};

}  // namespace zs
