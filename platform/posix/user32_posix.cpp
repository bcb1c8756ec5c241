#include "platform/posix/user32_posix.h"

#include <csignal>
#include <string>
#include <string_view>

#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/posix/logind.h"
#include "platform/posix/gdi_objects.h"

namespace zs::platform::posix {

int User32Posix::MessageBoxA(HWND, const char* text, const char* caption, UINT type) {
  if (messageBoxButtons(type).empty()) {
    SetLastError(kErrorInvalidMsgboxStyle);
    return 0;
  }
  const std::string_view shownText = text ? text : "", shownCaption = caption ? caption : "Error";
  if (messageBoxes_) {
    if (const auto answer = messageBoxes_->ask(shownText, shownCaption, type)) {
      if (*answer == 0) SetLastError(kErrorInvalidWindowHandle);
      return *answer;
    }
  }
  std::fprintf(out_, "%.*s: %.*s\n", static_cast<int>(shownCaption.size()), shownCaption.data(),
               static_cast<int>(shownText.size()), shownText.data());
  std::fflush(out_);
  SetLastError(kErrorNotSupported);
  return 0;
}

BOOL User32Posix::EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) {
  // Only the primary display has a name-less identity here.
  if (!devMode || (deviceName && *deviceName)) return 0;
  const auto mode = modeNum == kEnumCurrentSettings ? display_.current() : display_.mode(modeNum);
  if (!mode) return 0;
  devMode->dmSize = static_cast<WORD>(sizeof(DEVMODEA));
  devMode->dmFields = kDmBitsPerPel | kDmPelsWidth | kDmPelsHeight | kDmDisplayFrequency;
  devMode->dmBitsPerPel = mode->bitsPerPixel;
  devMode->dmPelsWidth = mode->width;
  devMode->dmPelsHeight = mode->height;
  devMode->dmDisplayFrequency = mode->frequency;
  return 1;
}

LONG User32Posix::ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) {
  // No record asks for the stored mode, which is the current one here.
  if (!devMode) return kDispChangeSuccessful;
  ScreenMode wanted;
  const DWORD fields = devMode->dmFields;
  if (fields & kDmPelsWidth) wanted.width = devMode->dmPelsWidth;
  if (fields & kDmPelsHeight) wanted.height = devMode->dmPelsHeight;
  if (fields & kDmBitsPerPel) wanted.bitsPerPixel = devMode->dmBitsPerPel;
  if (fields & kDmDisplayFrequency) wanted.frequency = devMode->dmDisplayFrequency;
  switch (display_.apply(wanted, (flags & kCdsTest) != 0)) {
    case RandrDisplay::Outcome::Done: return kDispChangeSuccessful;
    case RandrDisplay::Outcome::BadMode: return kDispChangeBadMode;
    case RandrDisplay::Outcome::Failed: break;
  }
  return kDispChangeFailed;
}

LRESULT User32Posix::SendMessageTimeoutA(HWND, UINT, WPARAM, LPARAM, UINT, UINT,
                                         DWORD_PTR* result) {
  if (result) *result = 0;
  return 1;
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

BOOL User32Posix::WinHelpA(HWND, const char* file, UINT command, std::uintptr_t) {
  switch (command) {
    case kHelpContext:
    case kHelpContents:
    case kHelpContextPopup:
    case kHelpForceFile:
    case kHelpFinder:
    case kHelpKey:
    case kHelpPartialKey:
      return helpViewers_.display(file) ? 1 : 0;
    case kHelpQuit:
      helpViewers_.closeAll();
      return 1;
    default:
      return 0;
  }
}

BOOL User32Posix::DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height,
                             UINT, std::uintptr_t brush, UINT) {
  return drawIcon(dc, x, y, icon, width, height, brush) ? 1 : 0;
}

BOOL User32Posix::DestroyIcon(HICON icon) { return removeIcon(icon) ? 1 : 0; }

}  // namespace zs::platform::posix
