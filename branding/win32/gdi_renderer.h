// Paints the client area of a branding window with GDI, from the same layout
// model as the Linux renderer.
#pragma once

#include <windows.h>

#include "branding/layout.h"
#include "branding/ole_color.h"

namespace zs::branding::win32 {

// The system's own colours (GetSysColor).
const SystemColors& win32SystemColors();

// Paints `window`'s client area at the origin of `dc`.
void paintClient(HDC dc, const Window& window);

}  // namespace zs::branding::win32
