// The layout model of the branding windows, shared by every renderer: a window
// is a list of elements in stacking order (front first), each positioned in
// twips from the top-left corner of the window's client area or of the frame
// that contains it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "branding/picture.h"
#include "core/value_types.h"

namespace zs::branding {

inline constexpr int kTwipsPerPixel = 15;  // 96 dots per inch
// The thin dialog frame that every branding window draws around its client
// area, per side.
inline constexpr int kFramePixels = 3;
inline constexpr int kFrameTwips = kFramePixels * kTwipsPerPixel;

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  // Whether the point lies inside: left and top edges in, right and bottom out.
  bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
  bool operator==(const Box&) const = default;
};

struct Font {
  std::string face = "Arial";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

enum class Align { Left, Right, Centre };

// Button: a raised push-button edge around a button-face fill.
enum class ElementKind { Label, Image, Band, Line, Frame, Button };

struct Element {
  std::string name;
  ElementKind kind = ElementKind::Label;
  Box box;          // lines: x1 = left, y1 = top, x2 = left + width, y2 = top + height
  int container = -1;  // index of the frame that holds the element, or -1

  // Labels.
  std::string text;  // UTF-8
  Font font;
  OleColor foreColor = 0x80000012;  // button text
  OleColor backColor = 0x8000000F;  // button face
  Align align = Align::Left;
  bool autoSize = false;
  bool transparent = false;
  bool wordWrap = false;

  // Images.
  PicturePtr picture;

  // Bands: fill and border. Lines: the colour (foreColor) and width in pixels.
  OleColor fillColor = 0;
  OleColor borderColor = 0;
  int lineWidth = 1;
};

struct Window {
  std::string name;
  int clientWidth = 0, clientHeight = 0;  // twips
  OleColor background = 0x8000000F;
  std::vector<Element> elements;  // front first
  std::string caption;            // the title bar's text, for windows that have one

  int outerWidth() const { return clientWidth + 2 * kFrameTwips; }
  int outerHeight() const { return clientHeight + 2 * kFrameTwips; }

  // The element of that name; raises 5 when the window has none.
  Element& element(std::string_view elementName);
  const Element& element(std::string_view elementName) const;
  // The element's box in client coordinates (its frame's offset added).
  Box clientBox(const Element& e) const;
};

// Text measurement with the real font metrics of the renderer in use.
struct TextSize {
  double width = 0, height = 0;  // twips
};
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The size of `text` in `font`: on one line when `wrapWidth` is 0, else
  // wrapped at word boundaries within `wrapWidth` twips.
  virtual TextSize measure(const Font& font, std::string_view text, int wrapWidth) = 0;
};

// Sets a label's text and, for an auto-size label, its size. A single-line
// auto-size label keeps the edge named by its alignment (left, right or the
// centre) and its top; a word-wrapping auto-size label keeps its width and
// takes the height of the wrapped text.
void setLabelText(Element& label, std::string text, TextMeasurer& measurer);

// Rounds half to even, as the warning placement does.
int roundTwips(double twips);

}  // namespace zs::branding
