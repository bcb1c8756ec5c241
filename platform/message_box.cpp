#include "platform/message_box.h"

#include <array>

#include "platform/user32.h"

namespace zs::platform {
namespace {

constexpr MessageBoxButton kOk{kIdOk, "OK", 0}, kCancel{kIdCancel, "Cancel", 0},
    kAbort{kIdAbort, "Abort", 'A'}, kRetry{kIdRetry, "Retry", 'R'}, kIgnore{kIdIgnore, "Ignore", 'I'},
    kYes{kIdYes, "Yes", 'Y'}, kNo{kIdNo, "No", 'N'}, kTryAgain{kIdTryAgain, "Try Again", 'T'},
    kContinue{kIdContinue, "Continue", 'C'};

constexpr std::array kOkSet{kOk};
constexpr std::array kOkCancelSet{kOk, kCancel};
constexpr std::array kAbortRetryIgnoreSet{kAbort, kRetry, kIgnore};
constexpr std::array kYesNoCancelSet{kYes, kNo, kCancel};
constexpr std::array kYesNoSet{kYes, kNo};
constexpr std::array kRetryCancelSet{kRetry, kCancel};
constexpr std::array kCancelTryContinueSet{kCancel, kTryAgain, kContinue};

}  // namespace

std::span<const MessageBoxButton> messageBoxButtons(UINT type) {
  switch (type & kMbTypeMask) {
    case kMbOk: return kOkSet;
    case kMbOkCancel: return kOkCancelSet;
    case kMbAbortRetryIgnore: return kAbortRetryIgnoreSet;
    case kMbYesNoCancel: return kYesNoCancelSet;
    case kMbYesNo: return kYesNoSet;
    case kMbRetryCancel: return kRetryCancelSet;
    case kMbCancelTryContinue: return kCancelTryContinueSet;
    default: return {};
  }
}

int messageBoxDefault(UINT type) {
  const auto buttons = messageBoxButtons(type);
  if (buttons.empty()) return 0;
  const std::size_t wanted = (type & kMbDefMask) >> 8;
  return buttons[wanted < buttons.size() ? wanted : 0].id;
}

int messageBoxCancel(UINT type) {
  const auto buttons = messageBoxButtons(type);
  for (const auto& b : buttons)
    if (b.id == kIdCancel) return kIdCancel;
  return buttons.size() == 1 ? buttons[0].id : 0;
}

int messageBoxMnemonic(UINT type, char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  for (const auto& b : messageBoxButtons(type))
    if (b.mnemonic && b.mnemonic == letter) return b.id;
  return 0;
}

MessageBoxIcon messageBoxIcon(UINT type) {
  switch (type & kMbIconMask) {
    case kMbIconHand: return MessageBoxIcon::Hand;
    case kMbIconQuestion: return MessageBoxIcon::Question;
    case kMbIconExclamation: return MessageBoxIcon::Exclamation;
    case kMbIconAsterisk: return MessageBoxIcon::Asterisk;
    default: return MessageBoxIcon::None;
  }
}

}  // namespace zs::platform
