#include "branding/posix/pango_text.h"

#include <memory>
#include <string>

#include <algorithm>

#include "core/ascii.h"

namespace zs::branding::posix {

std::string_view substituteFace(std::string_view face) {
  for (std::string_view alias : {"Arial", "MS Sans Serif", "MS Shell Dlg", "Microsoft Sans Serif"})
    if (sameName(face, alias)) return "Liberation Sans";
  return face;
}

Layout makeLayout(cairo_t* cr, const Font& font, std::string_view text, int wrapWidthPixels,
                  Align align) {
  Layout layout(pango_cairo_create_layout(cr));
  PangoContext* context = pango_layout_get_context(layout.get());
  pango_cairo_context_set_resolution(context, 96.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout.get());

  FontDescription desc(pango_font_description_new());
  const std::string family(substituteFace(font.face));
  pango_font_description_set_family(desc.get(), family.c_str());
  pango_font_description_set_size(desc.get(), static_cast<int>(font.points * PANGO_SCALE));
  pango_font_description_set_weight(desc.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc.get(), font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), desc.get());
  if (font.underline) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
  }
  // A lone surrogate of a property's text arrives as bytes that are not UTF-8:
  // shown as U+FFFD, without pango's warning on standard error.
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  } else {
    std::unique_ptr<gchar, decltype(&g_free)> valid(
        g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())), &g_free);
    pango_layout_set_text(layout.get(), valid.get(), -1);
  }
  if (wrapWidthPixels > 0) {
    pango_layout_set_width(layout.get(), wrapWidthPixels * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_alignment(layout.get(), align == Align::Right    ? PANGO_ALIGN_RIGHT
                                           : align == Align::Centre ? PANGO_ALIGN_CENTER
                                                                    : PANGO_ALIGN_LEFT);
  return layout;
}

PangoMeasurer::PangoMeasurer()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)), cr_(cairo_create(surface_.get())) {}

TextSize PangoMeasurer::measure(const Font& font, std::string_view text, int wrapWidth) {
  const int wrapPixels = wrapWidth > 0 ? std::max(1, wrapWidth / kTwipsPerPixel) : 0;
  Layout layout = makeLayout(cr_.get(), font, text, wrapPixels, Align::Left);
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout.get(), &width, &height);
  return TextSize{static_cast<double>(width) * kTwipsPerPixel, static_cast<double>(height) * kTwipsPerPixel};
}

}  // namespace zs::branding::posix
