// The message box as a laid-out window: the icon its type asks for, the text
// wrapped with the renderer's own font metrics, and its buttons in a centred
// row below; and where a click or a key answers it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "branding/layout.h"
#include "platform/message_box.h"

namespace zs::branding {

// The widest text line before the text wraps, and the tallest text shown (the
// rest is clipped), in twips.
inline constexpr int kMessageTextMaxWidth = 420 * kTwipsPerPixel;
inline constexpr int kMessageTextMaxHeight = 560 * kTwipsPerPixel;
// The most text measured and drawn (far more than the tallest text shows);
// the rest is cut off at a character boundary.
inline constexpr std::size_t kMessageTextMaxBytes = 16 * 1024;

struct MessageBoxLayout {
  struct Button {
    int id;
    Box box;  // client twips
  };
  Window window;
  std::vector<Button> buttons;  // left to right
  int defaultId = 0;            // Enter
  int cancelId = 0;             // Esc and the close box; 0: neither does anything
  platform::UINT type = 0;
};

// The box of a valid `type` (platform::messageBoxButtons is not empty) with
// `text` (UTF-8, cut at kMessageTextMaxBytes; "\r\n" ends a line as "\n" does) and `caption` as its title.
MessageBoxLayout layMessageBox(std::string_view text, std::string_view caption, platform::UINT type,
                               TextMeasurer& measurer);

// The id of the button under a client point (twips), 0 elsewhere.
int messageBoxButtonAt(const MessageBoxLayout& box, int x, int y);

// What a key answers: Enter the default button, Esc the cancel id, a
// button's letter that button; 0 for any other key.
int messageBoxKey(const MessageBoxLayout& box, unsigned virtualKey, char letter);

}  // namespace zs::branding
