// The about dialogs' actions on the system: System Info over the system
// libraries; links through the shell.
#include "branding/about_dialogs.h"
#include "branding/about_sysinfo.h"

namespace zs::branding {
namespace {

class SystemActions final : public AboutActions {
 public:
  // Links go to the shell's ShellExecuteA (no owner, default verb, the working
  // folder "C:\", a normal window) once platform::Shell32 offers it; until
  // then a link click does nothing, as a failing shell call would.
  void openLink(const std::string&) override {}
  void startSysInfo() override {
    const auto& lib = platform::systemLibraries();
    branding::startSysInfo(*lib.advapi32, *lib.kernel32, *lib.user32, std::string(kLibraryTitle));
  }
};

}  // namespace

std::shared_ptr<AboutActions> systemAboutActions() {
  static const auto actions = std::make_shared<SystemActions>();
  return actions;
}

}  // namespace zs::branding
