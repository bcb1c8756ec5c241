// Owning handles of the cairo, pango and glib objects the renderer uses.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

namespace zs::branding::posix {

struct SurfaceFree { void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); } };
struct CairoFree { void operator()(cairo_t* c) const { cairo_destroy(c); } };
struct GObjectFree { void operator()(void* o) const { g_object_unref(o); } };
struct FontFree { void operator()(PangoFontDescription* f) const { pango_font_description_free(f); } };

using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Cairo = std::unique_ptr<cairo_t, CairoFree>;
using Layout = std::unique_ptr<PangoLayout, GObjectFree>;
using FontDescription = std::unique_ptr<PangoFontDescription, FontFree>;

}  // namespace zs::branding::posix
