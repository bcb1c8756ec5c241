// Renders a message box as the display shows it, frame included, to a PNG
// file (for the documentation's pictures; title bars are the window
// manager's and not part of the image).
// usage: branding_render_message_box TYPE CAPTION TEXT OUT.png
//   TYPE: MessageBoxA's type, decimal or 0x hexadecimal
#include <cstdio>
#include <cstdlib>

#include "branding/message_box_layout.h"
#include "branding/posix/cairo_renderer.h"
#include "branding/posix/pango_text.h"
#include "core/error.h"

int main(int argc, char** argv) {
  using namespace zs::branding;
  if (argc != 5) {
    std::fputs("usage: branding_render_message_box TYPE CAPTION TEXT OUT.png\n", stderr);
    return 2;
  }
  const auto type = static_cast<zs::platform::UINT>(std::strtoul(argv[1], nullptr, 0));
  if (zs::platform::messageBoxButtons(type).empty()) {
    std::fprintf(stderr, "no message box has the type %s\n", argv[1]);
    return 2;
  }
  try {
    posix::PangoMeasurer measurer;
    posix::writePng(posix::renderWindow(layMessageBox(argv[3], argv[2], type, measurer).window), argv[4]);
  } catch (const zs::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
