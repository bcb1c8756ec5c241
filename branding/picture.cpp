#include "branding/picture.h"

#include <fstream>
#include <iterator>

#include "branding/image_decode.h"
#include "core/error.h"

namespace zs::branding {

PicturePtr loadPicture(const std::string& path) {
  if (path.empty()) return std::make_shared<Picture>();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(53, "File not found: " + path, "ZSSplashScreen");
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::streamoff>(in.tellg());
  if (size < 0) throw Error(53, "File not found: " + path, "ZSSplashScreen");
  if (static_cast<std::uint64_t>(size) > kMaxPictureFile) invalidPicture("the file is too large");
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), size);
  if (in.gcount() != size) throw Error(53, "Cannot read " + path, "ZSSplashScreen");
  return std::make_shared<Picture>(decodePicture(bytes.data(), bytes.size()));
}

PicturePtr pictureOf(const ObjectPtr& object) {
  if (!object) return nullptr;
  auto picture = std::dynamic_pointer_cast<Picture>(object);
  if (!picture) throw Error(481, "Invalid picture: the object is not a picture", "ZSSplashScreen");
  return picture;
}

}  // namespace zs::branding
