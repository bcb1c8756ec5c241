// A reader of the resources of Windows executables (PE32 and PE32+), for the
// version resource and the icons on Linux. Every offset and length read
// from the file is checked against the file and the section it lies in;
// directory depth, entry counts and sizes are capped; a file that is not a
// well-formed image, or has no such resource, gives nullopt — never a crash.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zs::platform::posix {

// Reads `size` bytes at `offset` of the image into `out`; false when the
// image is shorter.
using ImageReader = std::function<bool(std::uint64_t offset, std::size_t size, std::uint8_t* out)>;

inline constexpr std::uint32_t kResourceVersion = 16;  // RT_VERSION
inline constexpr std::uint32_t kResourceIcon = 3;      // RT_ICON
inline constexpr std::uint32_t kResourceGroupIcon = 14;

// The data of the first resource of `type` (first name or id, first
// language), at most `maxSize` bytes long.
std::optional<std::vector<std::uint8_t>> findResource(const ImageReader& read, std::uint32_t type,
                                                      std::size_t maxSize = 1u << 20);

// The same over a file; nullopt when it cannot be opened.
std::optional<std::vector<std::uint8_t>> findFileResource(const std::string& path,
                                                          std::uint32_t type,
                                                          std::size_t maxSize = 1u << 20);

// How many resources of `type` the image holds (0 for anything but an image).
std::size_t countResources(const ImageReader& read, std::uint32_t type);

// The resource of `type` at `index` in the Win32 order (named entries first,
// then ids ascending), first language.
std::optional<std::vector<std::uint8_t>> resourceAt(const ImageReader& read, std::uint32_t type,
                                                    std::size_t index, std::size_t maxSize = 1u << 20);

// The resource of `type` with the id `id`, first language.
std::optional<std::vector<std::uint8_t>> resourceWithId(const ImageReader& read, std::uint32_t type,
                                                        std::uint32_t id, std::size_t maxSize = 1u << 20);

// A readable regular file, open for the life of the object. It is opened
// without blocking, so a FIFO or a device never stalls the caller; fd is -1
// when the path names no readable regular file.
struct OpenFile {
  int fd = -1;
  std::uint64_t size = 0;
  explicit OpenFile(const std::string& path);
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

// An image read with pread from an open descriptor (the caller keeps it open).
ImageReader fileImage(int fd);

// An image held in memory.
ImageReader memoryImage(const std::vector<std::uint8_t>& image);

}  // namespace zs::platform::posix
