// MessageBoxA's types and answers: which buttons a box of a type shows, which
// one Enter presses, what Esc and the close box answer, and its icon.
// Shared by every backend that draws message boxes itself.
#pragma once

#include <span>

#include "platform/types.h"

namespace zs::platform {

// The button sets (the low four bits of the type); kMbOk is in user32.h.
inline constexpr UINT kMbOkCancel = 0x1;
inline constexpr UINT kMbAbortRetryIgnore = 0x2;
inline constexpr UINT kMbYesNoCancel = 0x3;
inline constexpr UINT kMbYesNo = 0x4;
inline constexpr UINT kMbRetryCancel = 0x5;
inline constexpr UINT kMbCancelTryContinue = 0x6;
inline constexpr UINT kMbTypeMask = 0xF;
// The icons.
inline constexpr UINT kMbIconHand = 0x10;
inline constexpr UINT kMbIconQuestion = 0x20;
inline constexpr UINT kMbIconExclamation = 0x30;
inline constexpr UINT kMbIconAsterisk = 0x40;
inline constexpr UINT kMbIconMask = 0xF0;
// Which button is the default one (the first, unless one of these names another).
inline constexpr UINT kMbDefButton2 = 0x100;
inline constexpr UINT kMbDefButton3 = 0x200;
inline constexpr UINT kMbDefButton4 = 0x300;
inline constexpr UINT kMbDefMask = 0xF00;

// The answers; kIdOk is in user32.h.
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdTryAgain = 10;
inline constexpr int kIdContinue = 11;

// GetLastError's reasons: a type whose button set does not exist; a box
// whose window was destroyed before anyone answered it.
inline constexpr LONG kErrorInvalidMsgboxStyle = 1438;
inline constexpr LONG kErrorInvalidWindowHandle = 1400;

struct MessageBoxButton {
  int id;
  const char* label;  // as shown
  char mnemonic;      // the letter that presses it (upper case), or 0
};

// The buttons of `type`, left to right; empty for a button set that does not exist.
std::span<const MessageBoxButton> messageBoxButtons(UINT type);
// The id that Enter answers: the button MB_DEFBUTTONn names, the first when
// the box has fewer buttons; 0 for a type without buttons.
int messageBoxDefault(UINT type);
// The id that Esc and the close box answer, 0 when they do nothing: Cancel
// where the box has one, OK for a box with OK alone; a Yes/No or
// Abort/Retry/Ignore box has no close box and ignores Esc.
int messageBoxCancel(UINT type);
// The id of the button whose mnemonic is `letter` (either case), or 0.
int messageBoxMnemonic(UINT type, char letter);

enum class MessageBoxIcon { None, Hand, Question, Exclamation, Asterisk };
MessageBoxIcon messageBoxIcon(UINT type);

}  // namespace zs::platform
