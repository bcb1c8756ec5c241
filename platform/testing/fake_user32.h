// An in-memory user32 and HTML Help control for tests of the components:
// every ExitWindowsEx call recorded (nothing ends), windows counted, help
// requests and icon drawing recorded, no display (the display calls answer
// as with no display attached; FakeDisplay models one).
#pragma once

#include <optional>
#include <string>
#include <utility>
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
  // No display: the display-settings calls fail.
  BOOL EnumDisplaySettingsA(const char*, DWORD, DEVMODEA*) override { return 0; }
  LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return kDispChangeFailed; }
  LRESULT SendMessageTimeoutA(HWND, UINT, WPARAM, LPARAM, UINT, UINT, DWORD_PTR*) override {
    return 0;
  }
  BOOL WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) override;
  const std::vector<HelpCall>& helpCalls() const { return helpCalls_; }

  struct DrawCall {
    std::uintptr_t dc;
    int x, y;
    HICON icon;
    int width, height;
    UINT step;
    std::uintptr_t brush;
    UINT flags;
  };
  BOOL DrawIconEx(std::uintptr_t dc, int x, int y, HICON icon, int width, int height, UINT step,
                  std::uintptr_t brush, UINT flags) override {
    draws_.push_back({dc, x, y, icon, width, height, step, brush, flags});
    return icon != 0;
  }
  BOOL DestroyIcon(HICON icon) override {
    destroyed_.push_back(icon);
    return icon != 0;
  }
  const std::vector<DrawCall>& draws() const { return draws_; }
  const std::vector<HICON>& destroyed() const { return destroyed_; }

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

  // What ExitWindowsEx answers (1 until set).
  void answerExit(BOOL answer) { answer_ = answer; }
  // The (flags, reason) of every ExitWindowsEx call, in order.
  const std::vector<std::pair<UINT, DWORD>>& exits() const { return exits_; }

 private:
  std::vector<std::pair<UINT, DWORD>> exits_;
  BOOL answer_ = 1;
  std::vector<HelpCall> helpCalls_;
  std::vector<DrawCall> draws_;
  std::vector<HICON> destroyed_;
};

class FakeHtmlHelp : public HtmlHelpControl {
 public:
  HWND HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) override;
  const std::vector<HelpCall>& calls() const { return calls_; }

 private:
  std::vector<HelpCall> calls_;
};

}  // namespace zs::platform::testing
