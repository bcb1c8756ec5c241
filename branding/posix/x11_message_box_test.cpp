// MessageBoxA on an Xvfb of the test's own: the box appears with its title
// and its rendering, takes the keyboard, and the key or click that XTest
// injects answers the call with the button's id. Without a display the call
// returns at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <string>

#include "branding/message_box_layout.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_message_box.h"
#include "branding/testing/virtual_display.h"
#include "branding/testing/x11_input.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/posix/user32_posix.h"
#include "platform/testing/temp_folder.h"

#include <X11/keysym.h>

namespace zs::branding::posix {
namespace {

using namespace platform;
using platform::posix::User32Posix;

// What the person does: keys typed, then a click on the button with the id
// (0: no click), or the close box.
struct Input {
  std::vector<KeySym> keys;
  int clickButton = 0;
  bool closeBox = false;
};

// Whether the window's _MOTIF_WM_HINTS grant the close function.
bool offersCloseBox(::Display* d, ::Window w) {
  const Atom motif = XInternAtom(d, "_MOTIF_WM_HINTS", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, motif, 0, 5, False, motif, &type, &format, &count, &after, &data) != Success || !data)
    return false;
  const bool close = count >= 2 && (reinterpret_cast<unsigned long*>(data)[1] & 0x20) != 0;
  XFree(data);
  return close;
}

TEST(X11MessageBox, KeysClicksAndTheCloseBoxAnswerWithTheButtonsId) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  ASSERT_NE(c.d, nullptr);
  User32Posix user32(stderr, display().name(), std::make_shared<X11MessageBoxPresenter>(display().name()));
  struct Case {
    UINT type;
    Input input;
    int answer;
  } cases[] = {
      {kMbOk, {{XK_Return}}, kIdOk},
      {kMbOk, {{XK_Escape}}, kIdOk},
      {kMbOkCancel | kMbIconQuestion, {{XK_Escape}}, kIdCancel},
      {kMbYesNoCancel | kMbDefButton2, {{XK_KP_Enter}}, kIdNo},
      // Yes/No has no cancel: Esc and the close box do nothing; a letter answers.
      {kMbYesNo, {{XK_Escape, XK_n}}, kIdNo},
      {kMbYesNo | kMbIconExclamation, {{XK_Escape}, kIdYes, true}, kIdYes},
      {kMbRetryCancel, {{}, kIdCancel}, kIdCancel},
      {kMbAbortRetryIgnore | kMbIconHand, {{}, kIdIgnore}, kIdIgnore},
      {kMbOkCancel, {{}, 0, true}, kIdCancel},
  };
  int n = 0;
  for (const auto& tc : cases) {
    const std::string caption = "Question " + std::to_string(++n);
    SCOPED_TRACE(caption);
    const std::string text = "Shall the box answer " + std::to_string(tc.answer) + "?";
    auto answer = std::async(std::launch::async, [&] {
      const int id = user32.MessageBoxA(0, text.c_str(), caption.c_str(), tc.type);
      return std::pair(id, GetLastError());
    });
    ::Window w = 0;
    ASSERT_TRUE(eventually([&] { return (w = windowNamed(c.d, caption.c_str())) != 0 && hasFocus(c.d, w); }))
        << "the box did not appear and take the keyboard";

    // It shows exactly what the layout draws.
    PangoMeasurer m;
    const MessageBoxLayout layout = layMessageBox(text, caption, tc.type, m);
    EXPECT_EQ(differingPixels(c.d, w, renderWindow(layout.window)), 0);

    // The window manager offers the close box only where it answers something.
    EXPECT_EQ(offersCloseBox(c.d, w), layout.cancelId != 0);

    for (KeySym key : tc.input.keys) typeKey(c.d, key);
    if (tc.input.closeBox) pressCloseBox(c.d, w);
    for (const auto& b : layout.buttons)
      if (b.id == tc.input.clickButton) clickAt(c.d, screenPoint(c.d, w, b.box));
    if (answer.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
      XDestroyWindow(c.d, w);  // lets the blocked call return rather than hang the test
      XSync(c.d, False);
      FAIL() << "the box was not answered";
    }
    EXPECT_EQ(answer.get().first, tc.answer);
    EXPECT_TRUE(eventually([&] { return windowNamed(c.d, caption.c_str()) == 0; })) << "the box stayed";
  }
}

TEST(X11MessageBox, ABoxWhoseWindowIsDestroyedUnansweredFails) {
  ASSERT_FALSE(display().name().empty()) << "Xvfb did not start";
  Connection c(display().name());
  User32Posix user32(stderr, display().name(), std::make_shared<X11MessageBoxPresenter>(display().name()));
  auto answer = std::async(std::launch::async, [&] {
    const int id = user32.MessageBoxA(0, "Text", "Doomed", kMbYesNo);
    return std::pair(id, GetLastError());
  });
  ::Window w = 0;
  ASSERT_TRUE(eventually([&] { return (w = windowNamed(c.d, "Doomed")) != 0; }));
  XDestroyWindow(c.d, w);
  XSync(c.d, False);
  ASSERT_EQ(answer.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(answer.get(), std::pair(0, static_cast<DWORD>(kErrorInvalidWindowHandle)));
}

// Without a display (none named, or one nobody serves) or without a
// presenter the call does not wait: the caption (a null one reads "Error")
// and text go to the error stream and nobody has answered. A type without
// buttons fails before anything is shown.
TEST(X11MessageBox, WithoutADisplayTheBoxGoesToTheErrorStreamAndFails) {
  testsupport::TempFolder folder;
  const std::string errors = folder.path() + "/errors";
  struct Case {
    std::string displayName;
    bool presenter;
    const char* caption;
    UINT type;
    DWORD error;
    const char* written;
  } cases[] = {
      {":65431", true, "Title", kMbYesNo, kErrorNotSupported, "Title: Delete everything?\n"},
      {"no display at all", true, nullptr, kMbOk, kErrorNotSupported, "Error: Delete everything?\n"},
      {display().name(), false, "Title", kMbOk, kErrorNotSupported, "Title: Delete everything?\n"},
      {display().name(), true, "Title", 7, kErrorInvalidMsgboxStyle, ""},
      {":65431", true, "Title", 0xF, kErrorInvalidMsgboxStyle, ""},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.displayName);
    std::FILE* out = std::fopen(errors.c_str(), "w+");
    ASSERT_NE(out, nullptr);
    {
      User32Posix user32(out, tc.displayName,
                         tc.presenter ? std::make_shared<X11MessageBoxPresenter>(tc.displayName) : nullptr);
      SetLastError(0);
      EXPECT_EQ(user32.MessageBoxA(0, "Delete everything?", tc.caption, tc.type), 0);
      EXPECT_EQ(GetLastError(), tc.error);
    }
    std::rewind(out);
    char buffer[256] = {};
    const std::size_t read = std::fread(buffer, 1, sizeof buffer - 1, out);
    std::fclose(out);
    EXPECT_EQ(std::string(buffer, read), tc.written);
  }
}

}  // namespace
}  // namespace zs::branding::posix
