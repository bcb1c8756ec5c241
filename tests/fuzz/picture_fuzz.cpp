// libFuzzer target for the picture decoders (BMP, ICO with DIB or PNG images,
// PNG): any input either decodes into an image of its stated size or raises
// 481; nothing reads outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "branding/picture.h"
#include "core/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const zs::branding::Image image = zs::branding::decodePicture(data, size);
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) std::abort();
  } catch (const zs::Error& e) {
    if (e.number() != 481) std::abort();
  }
  return 0;
}
