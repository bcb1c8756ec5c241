// The about dialogs' actions on the system: System Info over the system
// libraries; links through the shell.
#include "branding/about_dialogs.h"
#include "branding/about_sysinfo.h"
#include "platform/libraries.h"

namespace zs::branding {
namespace {

class SystemActions final : public AboutActions {
 public:
  // Links go to the shell's ShellExecuteA: no owner, the default verb, the
  // working folder "C:\", a normal window. Its result is not looked at: a
  // link nothing can open simply does nothing, as on Windows.
  void openLink(const std::string& target) override {
    platform::systemLibraries().shell32->ShellExecuteA(0, nullptr, target.c_str(), nullptr,
                                                       "C:\\", platform::kSwShowNormal);
  }
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
