// Text with pango: fonts mapped to the faces installed here, layouts of
// label texts and their measurement at 96 dots per inch.
#pragma once

#include <string_view>

#include "branding/layout.h"
#include "branding/posix/cairo_handles.h"

namespace zs::branding::posix {

// The installed face that stands in for a font the layouts name: Arial and the
// dialogs' default font (MS Sans Serif) are drawn in Liberation Sans, which has
// Arial's metrics.
std::string_view substituteFace(std::string_view face);

// A pango layout of `text` in `font` for drawing on `cr`: on one line when
// `wrapWidthPixels` is 0, else wrapped at word boundaries within that width.
Layout makeLayout(cairo_t* cr, const Font& font, std::string_view text, int wrapWidthPixels,
                  Align align);

// Measures with the metrics pango uses when drawing.
class PangoMeasurer final : public TextMeasurer {
 public:
  PangoMeasurer();
  TextSize measure(const Font& font, std::string_view text, int wrapWidth) override;

 private:
  Surface surface_;
  Cairo cr_;
};

}  // namespace zs::branding::posix
