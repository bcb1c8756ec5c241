#include "platform/testing/fake_user32.h"

namespace zs::platform::testing {
namespace {

std::optional<std::string> text(const char* s) {
  return s ? std::optional<std::string>(s) : std::nullopt;
}

}  // namespace

BOOL FakeUser32::WinHelpA(HWND window, const char* file, UINT command, std::uintptr_t data) {
  helpCalls_.push_back({window, text(file), command, data});
  return 1;
}

HWND FakeHtmlHelp::HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) {
  calls_.push_back({caller, text(file), command, data});
  return 0;
}

}  // namespace zs::platform::testing
