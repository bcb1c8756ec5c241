// Text with GDI: the fonts of the layouts and their measurement in a memory
// device context, at the screen's 96 dots per inch.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "branding/layout.h"

namespace zs::branding::win32 {

struct FontDelete {
  void operator()(HFONT f) const { DeleteObject(f); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDelete>;

// The GDI font of a layout font (Arial is character set 0).
FontHandle createFont(const Font& font);

// Layout text (UTF-8) in the system's ANSI code page.
std::string ansiText(std::string_view utf8);

// DrawTextA flags of a label: its alignment, one line or word-wrapped.
UINT drawTextFlags(Align align, bool oneLine);

class GdiMeasurer final : public TextMeasurer {
 public:
  GdiMeasurer();
  ~GdiMeasurer() override;
  GdiMeasurer(const GdiMeasurer&) = delete;
  GdiMeasurer& operator=(const GdiMeasurer&) = delete;
  TextSize measure(const Font& font, std::string_view text, int wrapWidth) override;

 private:
  HDC dc_;
};

}  // namespace zs::branding::win32
