// PNG pictures on Windows: the library has no PNG decoder of its own there
// (hosts pass pictures they loaded themselves), so a PNG file is refused.
#include "branding/image_decode.h"

namespace zs::branding {

Image decodePng(std::span<const std::uint8_t>) { invalidPicture("PNG files are not read on Windows"); }

}  // namespace zs::branding
