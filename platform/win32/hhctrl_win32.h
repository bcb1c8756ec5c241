// HtmlHelpA from hhctrl.ocx, loaded at the first call and kept for the life
// of the process. Without the control every call answers 0 and does nothing.
#pragma once

#include <mutex>

#include "platform/hhctrl.h"

namespace zs::platform::win32 {

class HtmlHelpWin32 : public HtmlHelpControl {
 public:
  HWND HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) override;

 private:
  using Entry = std::uintptr_t(__stdcall*)(std::uintptr_t, const char*, UINT, std::uintptr_t);
  std::once_flag loaded_;
  Entry entry_ = nullptr;
};

}  // namespace zs::platform::win32
