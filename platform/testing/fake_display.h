// An in-memory display for tests of the components: user32's display settings
// and broadcast and gdi32's device capabilities over a list of modes set up by
// the test, with every call recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi32.h"
#include "platform/user32.h"

namespace zs::platform::testing {

class FakeDisplay : public User32, public Gdi32 {
 public:
  struct Mode {
    DWORD width = 0, height = 0, bits = 0;
  };

  // The modes the display has, in enumeration order; `current` indexes them.
  FakeDisplay(std::vector<Mode> modes, std::size_t current);
  // No display at all: every query fails, every change fails.
  FakeDisplay() = default;

  // The high half of dmBitsPerPel as the system leaves it in every record it fills.
  void setBitsHighHalf(WORD high) { bitsHighHalf_ = high; }
  const Mode& current() const { return modes_.at(current_); }
  // Every call with its arguments, in order: "EnumDisplaySettingsA(-1)",
  // "ChangeDisplaySettingsA(1024x768x16 fields=1C0000 flags=2)",
  // "SendMessageTimeoutA(FFFF 7E 16 50332672 flags=2)", "GetDeviceCaps(12)".
  const std::vector<std::string>& calls() const { return calls_; }
  // The records ChangeDisplaySettingsA received, byte for byte.
  const std::vector<DEVMODEA>& changes() const { return changes_; }

  // Nothing ends here: the session calls belong to FakeUser32.
  BOOL ExitWindowsEx(UINT, DWORD) override { return 0; }
  int MessageBoxA(HWND, const char*, const char*, UINT) override { return 0; }
  BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* devMode) override;
  // Succeeds for a mode of the list with exactly the record's width, height
  // and bits (the whole 32-bit field); kCdsTest changes nothing.
  LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags) override;
  LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                              UINT timeout, DWORD_PTR* result) override;

  HDC CreateDCA(const char* driver, const char* device, const char* output,
                const DEVMODEA* initData) override;
  BOOL DeleteDC(HDC dc) override;
  int GetDeviceCaps(HDC dc, int index) override;
  // Contexts created and not yet deleted.
  int openContexts() const { return openContexts_; }

 private:
  std::vector<Mode> modes_;
  std::size_t current_ = 0;
  WORD bitsHighHalf_ = 0;
  std::vector<std::string> calls_;
  std::vector<DEVMODEA> changes_;
  int openContexts_ = 0;
};

}  // namespace zs::platform::testing
