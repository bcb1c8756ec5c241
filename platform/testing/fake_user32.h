// An in-memory user32 for tests of the components: every ExitWindowsEx call
// recorded (nothing ends), windows counted, no display (the display calls
// answer as with no display attached; FakeDisplay models one).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/user32.h"

namespace zs::platform::testing {

class FakeUser32 : public User32 {
 public:
  HWND CreateWindowExA(DWORD, const char*, const char*, DWORD, int, int, int, int, HWND,
                       HINSTANCE) override {
    return ++windows_;
  }
  BOOL ExitWindowsEx(UINT flags, DWORD reason) override {
    exits_.emplace_back(flags, reason);
    return answer_;
  }

  // Records (caption, text, type) and answers OK.
  int MessageBoxA(HWND, const char* text, const char* caption, UINT type) override {
    messageBoxes.push_back({caption ? caption : "", text ? text : "", type});
    return kIdOk;
  }
  struct MessageBox {
    std::string caption, text;
    UINT type;
  };
  std::vector<MessageBox> messageBoxes;

  BOOL EnumDisplaySettingsA(const char*, DWORD, DEVMODEA*) override { return 0; }
  LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return kDispChangeFailed; }
  LRESULT SendMessageTimeoutA(HWND, UINT, WPARAM, LPARAM, UINT, UINT, DWORD_PTR* result) override {
    if (result) *result = 0;
    return 0;
  }

  // What ExitWindowsEx answers (1 until set).
  void answerExit(BOOL answer) { answer_ = answer; }
  // The (flags, reason) of every ExitWindowsEx call, in order.
  const std::vector<std::pair<UINT, DWORD>>& exits() const { return exits_; }

 private:
  std::vector<std::pair<UINT, DWORD>> exits_;
  BOOL answer_ = 1;
  HWND windows_ = 0;
};

}  // namespace zs::platform::testing
