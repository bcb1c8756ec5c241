#include "platform/posix/user32_posix.h"

#include <csignal>
#include <string>
#include <string_view>

#include "platform/last_error.h"
#include "platform/posix/logind.h"

namespace zs::platform::posix {

HWND User32Posix::CreateWindowExA(DWORD, const char* className, const char* windowName,
                                  DWORD style, int, int, int, int, HWND, HINSTANCE) {
  if (!className || std::string_view(className) != "STATIC") return 0;
  if (!(style & kWsVisible)) return next_++;
  std::fputs(windowName ? windowName : "", out_);
  std::fputc('\n', out_);
  std::fflush(out_);
  return next_++;
}

BOOL User32Posix::ExitWindowsEx(UINT flags, DWORD) {
  Logind logind;
  LogindResult result;
  if (flags & kEwxReboot) {
    result = logind.reboot();
  } else if (flags & kEwxPowerOff) {
    result = logind.powerOff();
  } else if (flags & kEwxShutdown) {
    result = logind.halt();
  } else {
    std::string session;
    result = logind.ownSession(&session);
    if (result) {
      result = (flags & kEwxForce) ? logind.killSession(session, "all", SIGKILL)
                                   : logind.terminateSession(session);
    }
  }
  if (!result) SetLastError(win32Error(result));
  return result ? 1 : 0;
}

}  // namespace zs::platform::posix
