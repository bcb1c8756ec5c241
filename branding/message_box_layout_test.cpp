#include "branding/message_box_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "branding/testing/fake_measurer.h"
#include "core/error.h"
#include "platform/user32.h"

namespace zs::branding {
namespace {

using namespace platform;
using testing::FakeMeasurer;

std::vector<int> ids(const MessageBoxLayout& box) {
  std::vector<int> out;
  for (const auto& b : box.buttons) out.push_back(b.id);
  return out;
}

TEST(MessageBoxLayout, EachTypeHasItsButtonsDefaultAndCancel) {
  FakeMeasurer m;
  struct Case {
    UINT type;
    std::vector<int> buttons;
    int enter, escape;
  } cases[] = {
      {kMbOk, {kIdOk}, kIdOk, kIdOk},
      {kMbOkCancel, {kIdOk, kIdCancel}, kIdOk, kIdCancel},
      {kMbAbortRetryIgnore, {kIdAbort, kIdRetry, kIdIgnore}, kIdAbort, 0},
      {kMbYesNoCancel, {kIdYes, kIdNo, kIdCancel}, kIdYes, kIdCancel},
      {kMbYesNo, {kIdYes, kIdNo}, kIdYes, 0},
      {kMbRetryCancel, {kIdRetry, kIdCancel}, kIdRetry, kIdCancel},
      {kMbCancelTryContinue, {kIdCancel, kIdTryAgain, kIdContinue}, kIdCancel, kIdCancel},
      // MB_DEFBUTTONn names the default; one past the last button falls back to the first.
      {kMbYesNoCancel | kMbDefButton2, {kIdYes, kIdNo, kIdCancel}, kIdNo, kIdCancel},
      {kMbYesNoCancel | kMbDefButton3, {kIdYes, kIdNo, kIdCancel}, kIdCancel, kIdCancel},
      {kMbYesNo | kMbDefButton3, {kIdYes, kIdNo}, kIdYes, 0},
      {kMbOk | kMbDefButton4 | kMbIconHand, {kIdOk}, kIdOk, kIdOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    const MessageBoxLayout box = layMessageBox("Text", "Caption", c.type, m);
    EXPECT_EQ(ids(box), c.buttons);
    EXPECT_EQ(messageBoxKey(box, 0x0D, 0), c.enter);
    EXPECT_EQ(messageBoxKey(box, 0x1B, 0), c.escape);
    EXPECT_EQ(box.window.caption, "Caption");
    // The default button alone has the dark ring behind it.
    int rings = 0;
    for (const auto& e : box.window.elements) rings += e.name == "defaultRing";
    EXPECT_EQ(rings, 1);
    // Every button lies inside the client area, in a row, and answers a click at its centre.
    for (const auto& b : box.buttons) {
      EXPECT_GE(b.box.left, 0);
      EXPECT_LE(b.box.right(), box.window.clientWidth);
      EXPECT_LE(b.box.bottom(), box.window.clientHeight);
      EXPECT_EQ(b.box.top, box.buttons.front().box.top);
      EXPECT_EQ(messageBoxButtonAt(box, b.box.left + b.box.width / 2, b.box.top + b.box.height / 2), b.id);
    }
    EXPECT_EQ(messageBoxButtonAt(box, 0, 0), 0);
  }
}

TEST(MessageBoxLayout, LettersPressTheirButtonsAndOtherKeysNothing) {
  FakeMeasurer m;
  const MessageBoxLayout yesNo = layMessageBox("", "", kMbYesNo, m);
  EXPECT_EQ(messageBoxKey(yesNo, 0, 'y'), kIdYes);
  EXPECT_EQ(messageBoxKey(yesNo, 0, 'N'), kIdNo);
  EXPECT_EQ(messageBoxKey(yesNo, 0, 'C'), 0);
  EXPECT_EQ(messageBoxKey(yesNo, 0x20, 0), 0);
  const MessageBoxLayout ari = layMessageBox("", "", kMbAbortRetryIgnore, m);
  EXPECT_EQ(messageBoxKey(ari, 0, 'i'), kIdIgnore);
}

TEST(MessageBoxLayout, TextWrapsAtTheWidestLineAndGrowsTheBox) {
  FakeMeasurer m;
  const MessageBoxLayout shortBox = layMessageBox("Short", "", kMbOk, m);
  const std::string longText(2000, 'w');
  const MessageBoxLayout longBox = layMessageBox(longText, "", kMbOk, m);
  const Element& text = longBox.window.element("lblText");
  EXPECT_EQ(text.text, longText);
  EXPECT_TRUE(text.wordWrap);
  EXPECT_EQ(text.box.width, kMessageTextMaxWidth);
  EXPECT_GT(text.box.height, shortBox.window.element("lblText").box.height);
  EXPECT_GT(longBox.window.clientHeight, shortBox.window.clientHeight);
  EXPECT_GT(longBox.window.clientWidth, shortBox.window.clientWidth);
  EXPECT_GT(longBox.buttons[0].box.top, text.box.bottom());

  // Far more text than a screen holds is clipped at the tallest text shown,
  // and only the bounded start of it is measured, cut between characters.
  std::string huge(kMessageTextMaxBytes - 1, 'w');
  huge += "\u00e9\u00e9";  // two bytes each: the first straddles the bound
  const MessageBoxLayout hugeBox = layMessageBox(huge, "", kMbOk, m);
  const Element& hugeText = hugeBox.window.element("lblText");
  EXPECT_EQ(hugeText.box.height, kMessageTextMaxHeight);
  EXPECT_EQ(hugeText.text, std::string(kMessageTextMaxBytes - 1, 'w'));

  // Line ends of every convention become "\n".
  EXPECT_EQ(layMessageBox("a\r\nb\rc\nd", "", kMbOk, m).window.element("lblText").text, "a\nb\nc\nd");
}

TEST(MessageBoxLayout, AnIconStandsLeftOfTheText) {
  FakeMeasurer m;
  const MessageBoxLayout plain = layMessageBox("Text", "", kMbOk, m);
  EXPECT_THROW(plain.window.element("icon"), Error);
  for (UINT icon : {kMbIconHand, kMbIconQuestion, kMbIconExclamation, kMbIconAsterisk}) {
    const MessageBoxLayout box = layMessageBox("Text", "", kMbOk | icon, m);
    const Box iconBox = box.window.element("icon").box;
    const Box textBox = box.window.element("lblText").box;
    EXPECT_GT(textBox.left, iconBox.right());
    EXPECT_GE(box.buttons[0].box.top, iconBox.bottom());
  }
}

}  // namespace
}  // namespace zs::branding
