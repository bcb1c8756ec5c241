#include "branding/layout.h"

#include <cmath>
#include <utility>

#include "core/error.h"

namespace zs::branding {

Element& Window::element(std::string_view elementName) {
  return const_cast<Element&>(std::as_const(*this).element(elementName));
}

const Element& Window::element(std::string_view elementName) const {
  for (const auto& e : elements)
    if (e.name == elementName) return e;
  throw Error(5, "The window " + name + " has no element " + std::string(elementName));
}

Box Window::clientBox(const Element& e) const {
  Box b = e.box;
  if (e.container >= 0) {
    const Box& frame = elements.at(static_cast<std::size_t>(e.container)).box;
    b.left += frame.left;
    b.top += frame.top;
  }
  return b;
}

int roundTwips(double twips) { return static_cast<int>(std::nearbyint(twips)); }

void setLabelText(Element& label, std::string text, TextMeasurer& measurer) {
  label.text = std::move(text);
  if (!label.autoSize) return;
  if (label.wordWrap) {
    label.box.height = roundTwips(measurer.measure(label.font, label.text, label.box.width).height);
    return;
  }
  const TextSize size = measurer.measure(label.font, label.text, 0);
  const int width = roundTwips(size.width);
  switch (label.align) {
    case Align::Left: break;
    case Align::Right: label.box.left = label.box.right() - width; break;
    case Align::Centre: label.box.left += (label.box.width - width) / 2; break;
  }
  label.box.width = width;
  label.box.height = roundTwips(size.height);
}

}  // namespace zs::branding
