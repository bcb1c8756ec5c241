// libFuzzer target for the icon reader: any input is read as an .ico file or
// an executable (every icon at both sizes, and by resource id), and as one
// icon image (DIB or PNG) on its own.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/posix/icon_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zs::platform::posix;
  const std::vector<std::uint8_t> bytes(data, data + size);
  const ImageReader read = memoryImage(bytes);
  const std::size_t count = countIcons(read, bytes.size());
  for (int index : {0, 1, -1, -2}) {
    if (index >= 0 && static_cast<std::size_t>(index) >= count + 1) continue;
    for (int side : {16, 32}) loadIcon(read, bytes.size(), index, side);
  }
  if (const auto image = decodeIconImage(bytes)) scaleIcon(*image, 24);
  return 0;
}
