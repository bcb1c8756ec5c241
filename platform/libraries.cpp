#include "platform/libraries.h"

#ifdef _WIN32
#include "platform/win32/advapi32_win32.h"
#include "platform/win32/hhctrl_win32.h"
#include "platform/win32/kernel32_win32.h"
#include "platform/win32/powrprof_win32.h"
#include "platform/win32/shell32_win32.h"
#include "platform/win32/version_win32.h"
#include "platform/win32/user32_win32.h"
#include "platform/win32/gdi32_win32.h"
#else
#include "platform/posix/advapi32_posix.h"
#include "platform/posix/help_viewer.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/posix/powrprof_posix.h"
#include "platform/posix/shell32_posix.h"
#include "platform/posix/version_info.h"
#include "platform/posix/user32_posix.h"
#include "platform/posix/gdi32_posix.h"
#endif

namespace zs::platform {

const Libraries& systemLibraries() {
  // Initialised once; the language guarantees this is safe across threads.
  static const Libraries libraries = [] {
    Libraries created;
#ifdef _WIN32
    created.advapi32 = std::make_shared<win32::Advapi32Win32>();
    created.user32 = std::make_shared<win32::User32Win32>();
    created.kernel32 = std::make_shared<win32::Kernel32Win32>();
    created.shell32 = std::make_shared<win32::Shell32Win32>();
    created.ole32 = std::make_shared<win32::Ole32Win32>();
    created.version = std::make_shared<win32::VersionWin32>();
    created.hhctrl = std::make_shared<win32::HtmlHelpWin32>();
    created.gdi32 = std::make_shared<win32::Gdi32Win32>();
    created.powrprof = std::make_shared<win32::PowrprofWin32>();
#else
    created.advapi32 =
        std::make_shared<posix::Advapi32Posix>(posix::StoreLocation::fromEnvironment());
    // Message boxes on the display, drawn by the windowing layer.
    created.user32 =
        std::make_shared<posix::User32Posix>(stderr, std::string{}, posix::desktopMessageBoxes());
    created.kernel32 = std::make_shared<posix::Kernel32Posix>();
    created.shell32 = std::make_shared<posix::Shell32Posix>();
    created.ole32 = std::make_shared<posix::Ole32Posix>();
    created.version = std::make_shared<posix::VersionPosix>();
    created.hhctrl = std::make_shared<posix::HtmlHelpPosix>();
    created.gdi32 = std::make_shared<posix::Gdi32Posix>();
    created.powrprof = std::make_shared<posix::PowrprofPosix>();
#endif
    return created;
  }();
  return libraries;
}

}  // namespace zs::platform
