#include "platform/posix/pe_resources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxSections = 96;       // the format's own limit
constexpr std::size_t kMaxDirectoryEntries = 4096;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Section {
  std::uint32_t address, size, fileOffset, fileSize;
};

class Image {
 public:
  explicit Image(const ImageReader& read) : read_(read) {}

  bool read(std::uint64_t offset, std::size_t size, std::uint8_t* out) const {
    return read_(offset, size, out);
  }

  // Loads the headers; false for anything that is not a PE image.
  bool load() {
    std::uint8_t dos[64];
    if (!read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
    const std::uint32_t pe = u32(dos + 0x3C);
    std::uint8_t header[24];
    if (!read(pe, sizeof header, header) || std::memcmp(header, "PE\0\0", 4) != 0) return false;
    const std::size_t sections = u16(header + 6);
    const std::size_t optionalSize = u16(header + 20);
    if (sections == 0 || sections > kMaxSections || optionalSize < 2) return false;
    std::vector<std::uint8_t> optional(optionalSize);
    if (!read(pe + 24ull, optionalSize, optional.data())) return false;
    // The data directories follow 96 (PE32) or 112 (PE32+) bytes of fields.
    const std::uint16_t magic = u16(optional.data());
    const std::size_t directories = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;
    if (directories == 0 || optionalSize < directories + 8 * 3) return false;
    const std::uint32_t count = u32(optional.data() + directories - 4);
    if (count < 3) return false;
    resourceAddress_ = u32(optional.data() + directories + 16);
    resourceSize_ = u32(optional.data() + directories + 20);
    if (resourceAddress_ == 0 || resourceSize_ == 0) return false;
    std::vector<std::uint8_t> table(sections * 40);
    if (!read(pe + 24ull + optionalSize, table.size(), table.data())) return false;
    for (std::size_t i = 0; i < sections; ++i) {
      const std::uint8_t* s = table.data() + i * 40;
      sections_.push_back({u32(s + 12), u32(s + 8), u32(s + 20), u32(s + 16)});
    }
    return true;
  }

  // Reads `size` bytes at a virtual address, inside one section's file data.
  bool readAddress(std::uint64_t address, std::size_t size, std::uint8_t* out) const {
    for (const auto& s : sections_) {
      const std::uint64_t start = s.address;
      const std::uint64_t length = s.fileSize;  // only what the file holds
      if (address >= start && address - start <= length && size <= length - (address - start)) {
        return read(s.fileOffset + (address - start), size, out);
      }
    }
    return false;
  }

  // A directory of the resource tree: the first entry, or the entry with the
  // id `wanted`; `offset` is relative to the resource section. Returns the
  // entry's target (with the subdirectory flag) or nullopt.
  std::optional<std::uint32_t> entry(std::uint32_t offset, std::optional<std::uint32_t> wanted) const {
    if (offset >= resourceSize_ || resourceSize_ - offset < 16) return std::nullopt;
    std::uint8_t header[16];
    if (!readAddress(std::uint64_t{resourceAddress_} + offset, sizeof header, header)) return std::nullopt;
    const std::size_t named = u16(header + 12), ids = u16(header + 14);
    const std::size_t total = named + ids;
    if (total == 0 || total > kMaxDirectoryEntries) return std::nullopt;
    if (std::uint64_t{resourceSize_} - offset - 16 < total * 8) return std::nullopt;
    std::vector<std::uint8_t> entries(total * 8);
    if (!readAddress(std::uint64_t{resourceAddress_} + offset + 16, entries.size(), entries.data())) {
      return std::nullopt;
    }
    for (std::size_t i = 0; i < total; ++i) {
      const std::uint32_t name = u32(entries.data() + i * 8);
      const std::uint32_t target = u32(entries.data() + i * 8 + 4);
      const bool isId = i >= named && !(name & 0x80000000u);
      if (!wanted || (isId && name == *wanted)) return target;
    }
    return std::nullopt;
  }

  // Every entry of a directory: named ones first, then ids ascending (the
  // order Windows enumerates them in); nullopt for a broken directory.
  struct Entry {
    bool named;
    std::uint32_t id, target;
  };
  std::optional<std::vector<Entry>> entries(std::uint32_t offset) const {
    if (offset >= resourceSize_ || resourceSize_ - offset < 16) return std::nullopt;
    std::uint8_t header[16];
    if (!readAddress(std::uint64_t{resourceAddress_} + offset, sizeof header, header)) return std::nullopt;
    const std::size_t named = u16(header + 12), ids = u16(header + 14);
    const std::size_t total = named + ids;
    if (total > kMaxDirectoryEntries || std::uint64_t{resourceSize_} - offset - 16 < total * 8) {
      return std::nullopt;
    }
    std::vector<std::uint8_t> raw(total * 8);
    if (!readAddress(std::uint64_t{resourceAddress_} + offset + 16, raw.size(), raw.data())) {
      return std::nullopt;
    }
    std::vector<Entry> out;
    for (std::size_t i = 0; i < total; ++i) {
      const std::uint32_t name = u32(raw.data() + i * 8);
      out.push_back({i < named || (name & 0x80000000u) != 0, name, u32(raw.data() + i * 8 + 4)});
    }
    std::stable_sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
      if (a.named != b.named) return a.named;
      return !a.named && a.id < b.id;
    });
    return out;
  }

  // The data of the first language of a name entry's target.
  std::optional<std::vector<std::uint8_t>> firstLanguage(std::uint32_t target, std::size_t maxSize) const {
    if (!(target & 0x80000000u)) return std::nullopt;
    const auto at = entry(target & 0x7FFFFFFFu, std::nullopt);
    if (!at || (*at & 0x80000000u)) return std::nullopt;
    return data(*at, maxSize);
  }

  // The entries of the type directory `type`.
  std::optional<std::vector<Entry>> ofType(std::uint32_t type) const {
    const auto at = entry(0, type);
    if (!at || !(*at & 0x80000000u)) return std::nullopt;
    return entries(*at & 0x7FFFFFFFu);
  }

  std::optional<std::vector<std::uint8_t>> data(std::uint32_t dataEntry, std::size_t maxSize) const {
    if (dataEntry >= resourceSize_ || resourceSize_ - dataEntry < 16) return std::nullopt;
    std::uint8_t record[16];
    if (!readAddress(std::uint64_t{resourceAddress_} + dataEntry, sizeof record, record)) return std::nullopt;
    const std::uint32_t address = u32(record), size = u32(record + 4);
    if (size == 0 || size > maxSize) return std::nullopt;
    std::vector<std::uint8_t> out(size);
    if (!readAddress(address, size, out.data())) return std::nullopt;
    return out;
  }

  std::optional<std::vector<std::uint8_t>> resource(std::uint32_t type, std::size_t maxSize) const {
    // type -> name -> language -> data entry; each step must go down, except
    // the last, which must reach a data entry: three levels at most.
    std::optional<std::uint32_t> at = entry(0, type);
    for (int level = 0; level < 2; ++level) {
      if (!at || !(*at & 0x80000000u)) return std::nullopt;
      at = entry(*at & 0x7FFFFFFFu, std::nullopt);
    }
    if (!at || (*at & 0x80000000u)) return std::nullopt;
    return data(*at, maxSize);
  }

 private:
  const ImageReader& read_;
  std::uint32_t resourceAddress_ = 0, resourceSize_ = 0;
  std::vector<Section> sections_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> findResource(const ImageReader& read, std::uint32_t type,
                                                      std::size_t maxSize) {
  Image image(read);
  if (!image.load()) return std::nullopt;
  return image.resource(type, maxSize);
}

std::size_t countResources(const ImageReader& read, std::uint32_t type) {
  Image image(read);
  if (!image.load()) return 0;
  const auto entries = image.ofType(type);
  return entries ? entries->size() : 0;
}

std::optional<std::vector<std::uint8_t>> resourceAt(const ImageReader& read, std::uint32_t type,
                                                    std::size_t index, std::size_t maxSize) {
  Image image(read);
  if (!image.load()) return std::nullopt;
  const auto entries = image.ofType(type);
  if (!entries || index >= entries->size()) return std::nullopt;
  return image.firstLanguage((*entries)[index].target, maxSize);
}

std::optional<std::vector<std::uint8_t>> resourceWithId(const ImageReader& read, std::uint32_t type,
                                                        std::uint32_t id, std::size_t maxSize) {
  Image image(read);
  if (!image.load()) return std::nullopt;
  const auto entries = image.ofType(type);
  if (!entries) return std::nullopt;
  for (const auto& e : *entries) {
    if (!e.named && e.id == id) return image.firstLanguage(e.target, maxSize);
  }
  return std::nullopt;
}

ImageReader memoryImage(const std::vector<std::uint8_t>& image) {
  return [&image](std::uint64_t offset, std::size_t size, std::uint8_t* out) {
    if (offset > image.size() || size > image.size() - offset) return false;
    if (size > 0) std::memcpy(out, image.data() + offset, size);  // `out` may be null for 0 bytes
    return true;
  };
}

ImageReader fileImage(int fd) {
  return [fd](std::uint64_t offset, std::size_t size, std::uint8_t* out) {
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  };
}

OpenFile::OpenFile(const std::string& path) {
  fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd);
    fd = -1;
  }
  if (fd >= 0) size = static_cast<std::uint64_t>(info.st_size);
}

OpenFile::~OpenFile() {
  if (fd >= 0) ::close(fd);
}

std::optional<std::vector<std::uint8_t>> findFileResource(const std::string& path,
                                                          std::uint32_t type, std::size_t maxSize) {
  const OpenFile file(path);
  if (file.fd < 0) return std::nullopt;
  return findResource(fileImage(file.fd), type, maxSize);
}

}  // namespace zs::platform::posix
