#include "platform/win32/hhctrl_win32.h"

#include <windows.h>

namespace zs::platform::win32 {

HWND HtmlHelpWin32::HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) {
  std::call_once(loaded_, [this] {
    // Loaded once and never freed: a help window may outlive any caller.
    if (HMODULE control = ::LoadLibraryA("hhctrl.ocx")) {
      entry_ = reinterpret_cast<Entry>(
          reinterpret_cast<void*>(::GetProcAddress(control, "HtmlHelpA")));
    }
  });
  if (!entry_) return 0;
  return static_cast<HWND>(entry_(caller, file, command, data));
}

}  // namespace zs::platform::win32
