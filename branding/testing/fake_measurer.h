// A text measurer with simple, predictable metrics for layout tests: every
// character is points x 10 twips wide, a line points x 20 twips high, and
// wrapped text breaks after as many characters as fit.
#pragma once

#include <algorithm>

#include "branding/layout.h"

namespace zs::branding::testing {

class FakeMeasurer final : public TextMeasurer {
 public:
  TextSize measure(const Font& font, std::string_view text, int wrapWidth) override {
    ++calls;
    const double charWidth = font.points * 10, lineHeight = font.points * 20;
    const double n = static_cast<double>(text.size());
    if (wrapWidth <= 0) return {n * charWidth, lineHeight};
    const double perLine = std::max(1.0, static_cast<double>(static_cast<int>(wrapWidth / charWidth)));
    const double lines = std::max(1.0, static_cast<double>(static_cast<int>((n + perLine - 1) / perLine)));
    return {std::min(n, perLine) * charWidth, lines * lineHeight};
  }
  int calls = 0;
};

}  // namespace zs::branding::testing
