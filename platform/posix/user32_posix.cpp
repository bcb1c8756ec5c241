#include "platform/posix/user32_posix.h"

#include <string_view>

#include "platform/posix/gdi_objects.h"

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
