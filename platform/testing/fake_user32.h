// An in-memory user32 and HTML Help control for tests: windows are counted,
// help requests recorded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/hhctrl.h"
#include "platform/user32.h"

namespace zs::platform::testing {

struct HelpCall {
  HWND window;
  std::optional<std::string> file;
  UINT command;
  std::uintptr_t data;
};

class FakeUser32 : public User32 {
 public:
  HWND CreateWindowExA(DWORD, const char*, const char*, DWORD, int, int, int, int, HWND,
                       HINSTANCE) override {
    return ++windows_;
  }
  BOOL WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) override;
  const std::vector<HelpCall>& helpCalls() const { return helpCalls_; }

 private:
  HWND windows_ = 0;
  std::vector<HelpCall> helpCalls_;
};

class FakeHtmlHelp : public HtmlHelpControl {
 public:
  HWND HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) override;
  const std::vector<HelpCall>& calls() const { return calls_; }

 private:
  std::vector<HelpCall> calls_;
};

}  // namespace zs::platform::testing
