#include "shell/help.h"

#include "platform/ansi.h"
#include "shell/window_handle.h"

namespace zs {

bool htmlHelpNeedsPointer(Long command) {
  switch (command) {
    case zvHH_SET_WIN_TYPE:         // an HH_WINTYPE record
    case zvHH_GET_WIN_TYPE:         // where to store one
    case zvHH_GET_WIN_HANDLE:       // the window type's name
    case zvHH_DISPLAY_TEXT_POPUP:   // an HH_POPUP record
    case zvHH_TP_HELP_CONTEXTMENU:  // a control-id/topic list
    case zvHH_TP_HELP_WM_HELP:
      return true;
    default:
      return false;
  }
}

bool winHelpNeedsPointer(Long command) {
  constexpr Long kHelpContextMenu = 10, kHelpWmHelp = 12;  // control-id/topic lists
  switch (command) {
    case zvHELP_MULTIKEY:  // a MULTIKEYHELP record
    case zvHELP_SETWINPOS: // a HELPWININFO record
    case kHelpContextMenu:
    case kHelpWmHelp:
      return true;
    default:
      return false;
  }
}

Help::Help(const platform::Libraries& libraries) : libraries_(libraries) {}

Variant Help::RunHtmlHelp(Long& hwnd, String& CHMFile, Long& Command) {
  const std::string file = platform::toAnsi(CHMFile);
  CHMFile = platform::fromAnsi(file);
  if (!htmlHelpNeedsPointer(Command)) {
    libraries_.hhctrl->HtmlHelpA(windowHandle(hwnd), file.c_str(),
                                 static_cast<platform::UINT>(Command), 0);
  }
  return Variant();
}

Variant Help::RunWinHelp(Long& hwnd, String& WinFile, Long& Command) {
  const std::string file = platform::toAnsi(WinFile);
  WinFile = platform::fromAnsi(file);
  if (!winHelpNeedsPointer(Command)) {
    libraries_.user32->WinHelpA(windowHandle(hwnd), file.c_str(),
                                static_cast<platform::UINT>(Command), 0);
  }
  return Variant();
}

}  // namespace zs
