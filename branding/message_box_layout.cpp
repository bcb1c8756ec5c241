#include "branding/message_box_layout.h"

#include <algorithm>
#include <string>

#include "branding/element_builders.h"
#include "branding/ole_color.h"

namespace zs::branding {
namespace {

using namespace build;
using platform::MessageBoxIcon;

constexpr const char* kDialogFace = "MS Sans Serif";
constexpr double kDialogPoints = 8.25;
constexpr int kMargin = 11 * kTwipsPerPixel;
constexpr int kIconSize = 32 * kTwipsPerPixel;
constexpr int kButtonWidth = 75 * kTwipsPerPixel, kButtonHeight = 23 * kTwipsPerPixel;
constexpr int kButtonGap = 6 * kTwipsPerPixel;
constexpr unsigned kVkReturn = 0x0D, kVkEscape = 0x1B;

// "\r\n" and a lone "\r" end a line as "\n" does. Text past the bound is
// cut before the character it would split.
std::string lines(std::string_view text) {
  if (text.size() > kMessageTextMaxBytes) {
    std::size_t end = kMessageTextMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text = text.substr(0, end);
  }
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

struct IconLook {
  OleColor fill, glyphColor;
  const char* glyph;
};

IconLook iconLook(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Hand: return {0x000000FF, 0x00FFFFFF, "X"};
    case MessageBoxIcon::Question: return {0x00C00000, 0x00FFFFFF, "?"};
    case MessageBoxIcon::Exclamation: return {0x0000D0FF, 0x00000000, "!"};
    case MessageBoxIcon::Asterisk:
    case MessageBoxIcon::None: break;
  }
  return {0x00C00000, 0x00FFFFFF, "i"};
}

}  // namespace

MessageBoxLayout layMessageBox(std::string_view rawText, std::string_view caption, platform::UINT type,
                               TextMeasurer& measurer) {
  MessageBoxLayout box;
  box.type = type;
  box.defaultId = platform::messageBoxDefault(type);
  box.cancelId = platform::messageBoxCancel(type);
  Window& w = box.window;
  w.name = "MessageBox";
  w.caption = std::string(caption);

  const MessageBoxIcon icon = platform::messageBoxIcon(type);
  const int iconSpace = icon == MessageBoxIcon::None ? 0 : kIconSize + kMargin;

  // The text on its own lines, wrapped only where a line is wider than the
  // widest the box allows.
  const std::string text = lines(rawText);
  Element textLabel = label("lblText", kMargin + iconSpace, kMargin, 0, 0, kDialogPoints).face(kDialogFace);
  TextSize size = measurer.measure(textLabel.font, text, 0);
  if (size.width > kMessageTextMaxWidth) {
    size = measurer.measure(textLabel.font, text, kMessageTextMaxWidth);
    size.width = kMessageTextMaxWidth;
  }
  textLabel.text = text;
  textLabel.box.width = roundTwips(size.width);
  textLabel.box.height = std::min(roundTwips(size.height), kMessageTextMaxHeight);
  textLabel.wordWrap = true;

  const int contentHeight = std::max(textLabel.box.height, icon == MessageBoxIcon::None ? 0 : kIconSize);
  // A text shorter than the icon stands level with the icon's middle.
  textLabel.box.top += (contentHeight - textLabel.box.height) / 2;

  const auto buttons = platform::messageBoxButtons(type);
  const int count = static_cast<int>(buttons.size());
  const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  w.clientWidth = std::max(textLabel.box.right() + kMargin, rowWidth + 2 * kMargin);
  const int rowTop = kMargin + contentHeight + kMargin;
  w.clientHeight = rowTop + kButtonHeight + kMargin;

  // Front first: the button captions, the buttons with the default one's
  // dark ring behind it, the text, the icon's glyph and its disc.
  std::vector<Element> faces, frames;
  int left = (w.clientWidth - rowWidth) / 2;
  for (const auto& b : buttons) {
    const Box at{left, rowTop, kButtonWidth, kButtonHeight};
    box.buttons.push_back({b.id, at});
    const std::string name = std::string("cmd") + b.label;
    Element face = label(("lbl" + name).c_str(), at.left, at.top, at.width, at.height, kDialogPoints)
                       .face(kDialogFace).centre().transparent().text(b.label);
    const int textHeight = roundTwips(measurer.measure(face.font, face.text, 0).height);
    face.box.top += std::max(0, (at.height - textHeight) / 2);
    face.box.height = std::min(at.height, textHeight);
    faces.push_back(face);
    frames.push_back(frame(name.c_str(), at.left, at.top, at.width, at.height, ElementKind::Button));
    if (b.id == box.defaultId) {
      frames.push_back(band("defaultRing", at.left - kTwipsPerPixel, at.top - kTwipsPerPixel,
                            at.width + 2 * kTwipsPerPixel, at.height + 2 * kTwipsPerPixel, 0, 0));
    }
    left += kButtonWidth + kButtonGap;
  }
  w.elements = faces;
  w.elements.insert(w.elements.end(), frames.begin(), frames.end());
  w.elements.push_back(textLabel);
  if (icon != MessageBoxIcon::None) {
    const IconLook look = iconLook(icon);
    Element glyph = label("lblIcon", kMargin, kMargin, kIconSize, kIconSize, 18)
                        .bold().centre().transparent().color(look.glyphColor).text(look.glyph);
    const int glyphHeight = roundTwips(measurer.measure(glyph.font, glyph.text, 0).height);
    glyph.box.top += std::max(0, (kIconSize - glyphHeight) / 2);
    glyph.box.height = std::min(kIconSize, glyphHeight);
    w.elements.push_back(glyph);
    w.elements.push_back(band("icon", kMargin, kMargin, kIconSize, kIconSize, look.fill, look.fill));
  }
  return box;
}

int messageBoxButtonAt(const MessageBoxLayout& box, int x, int y) {
  for (const auto& b : box.buttons)
    if (b.box.contains(x, y)) return b.id;
  return 0;
}

int messageBoxKey(const MessageBoxLayout& box, unsigned virtualKey, char letter) {
  if (virtualKey == kVkReturn) return box.defaultId;
  if (virtualKey == kVkEscape) return box.cancelId;
  return letter ? platform::messageBoxMnemonic(box.type, letter) : 0;
}

}  // namespace zs::branding
