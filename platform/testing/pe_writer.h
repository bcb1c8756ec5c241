// Writes small Windows images for tests: a VS_VERSIONINFO tree and a PE32 or
// PE32+ file whose one section holds it as the version resource.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zs::platform::testing {

using Bytes = std::vector<std::uint8_t>;

inline void putLe(Bytes& out, std::size_t at, std::uint64_t value, int bytes) {
  if (out.size() < at + bytes) out.resize(at + bytes, 0);
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void pad4(Bytes& out) {
  while (out.size() % 4) out.push_back(0);
}

// UTF-16LE of an ASCII or UTF-8 text (BMP characters).
inline Bytes wide(const std::string& utf8, bool nul = true) {
  Bytes out;
  for (std::size_t i = 0; i < utf8.size();) {
    std::uint32_t c = static_cast<std::uint8_t>(utf8[i]);
    int extra = c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) c &= extra == 2 ? 0x0F : 0x1F;
    ++i;
    for (; extra > 0 && i < utf8.size(); --extra, ++i) c = (c << 6) | (utf8[i] & 0x3F);
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (nul) out.insert(out.end(), {0, 0});
  return out;
}

// One node: wLength, wValueLength, wType, key, padding, value, padding, children.
inline Bytes versionNode(const std::string& key, const Bytes& value, bool text,
                         const std::vector<Bytes>& children = {}) {
  Bytes out(6, 0);
  const Bytes k = wide(key);
  out.insert(out.end(), k.begin(), k.end());
  pad4(out);
  out.insert(out.end(), value.begin(), value.end());
  for (const auto& child : children) {
    pad4(out);
    out.insert(out.end(), child.begin(), child.end());
  }
  putLe(out, 0, out.size(), 2);
  putLe(out, 2, text ? value.size() / 2 : value.size(), 2);
  putLe(out, 4, text ? 1 : 0, 2);
  return out;
}

struct VersionResource {
  std::uint32_t versionMS = 0x00010002, versionLS = 0x00030004, fileType = 2;
  std::uint16_t language = 0x0409, codePage = 0x04B0;
  std::string tableKey = "040904B0";
  std::vector<std::pair<std::string, std::string>> strings;
  bool translation = true;
  std::uint32_t signature = 0xFEEF04BD;
};

inline Bytes versionResource(const VersionResource& v) {
  Bytes fixed(52, 0);
  putLe(fixed, 0, v.signature, 4);
  putLe(fixed, 4, 0x00010000, 4);
  putLe(fixed, 8, v.versionMS, 4);
  putLe(fixed, 12, v.versionLS, 4);
  putLe(fixed, 36, v.fileType, 4);
  std::vector<Bytes> entries;
  for (const auto& [name, value] : v.strings) {
    entries.push_back(versionNode(name, value.empty() ? Bytes{} : wide(value), true));
  }
  std::vector<Bytes> top = {
      versionNode("StringFileInfo", {}, true, {versionNode(v.tableKey, {}, true, entries)})};
  if (v.translation) {
    Bytes pair;
    putLe(pair, 0, v.language, 2);
    putLe(pair, 2, v.codePage, 2);
    top.push_back(versionNode("VarFileInfo", {}, true, {versionNode("Translation", pair, false)}));
  }
  return versionNode("VS_VERSION_INFO", fixed, false, top);
}

// A PE image with one .rsrc section holding `resource` as RT_VERSION #1,
// language 0x409.
inline Bytes peImage(const Bytes& resource, bool pe32plus = false) {
  constexpr std::uint32_t kSectionAddress = 0x1000, kSectionFile = 0x200;
  const std::size_t optionalSize = pe32plus ? 240 : 224;
  const std::size_t directories = pe32plus ? 112 : 96;
  Bytes image(kSectionFile, 0);
  image[0] = 'M';
  image[1] = 'Z';
  putLe(image, 0x3C, 0x40, 4);
  image[0x40] = 'P';
  image[0x41] = 'E';
  putLe(image, 0x44, pe32plus ? 0x8664 : 0x14C, 2);
  putLe(image, 0x46, 1, 2);                // one section
  putLe(image, 0x54, optionalSize, 2);
  putLe(image, 0x56, 0x2102, 2);
  const std::size_t opt = 0x58;
  putLe(image, opt, pe32plus ? 0x20B : 0x10B, 2);
  putLe(image, opt + directories - 4, 16, 4);  // NumberOfRvaAndSizes
  // The resource section: three directories, a data entry, then the data.
  Bytes rsrc;
  auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
    putLe(rsrc, at + 14, 1, 2);
    putLe(rsrc, at + 16, id, 4);
    putLe(rsrc, at + 20, target, 4);
  };
  directory(0x00, 16, 0x80000018);
  directory(0x18, 1, 0x80000030);
  directory(0x30, 0x409, 0x48);
  putLe(rsrc, 0x48, kSectionAddress + 0x58, 4);
  putLe(rsrc, 0x4C, resource.size(), 4);
  rsrc.resize(0x58, 0);
  rsrc.insert(rsrc.end(), resource.begin(), resource.end());
  putLe(image, opt + directories + 16, kSectionAddress, 4);
  putLe(image, opt + directories + 20, rsrc.size(), 4);
  const std::size_t section = opt + optionalSize;
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  for (int i = 0; i < 8; ++i) image[section + i] = static_cast<std::uint8_t>(name[i]);
  putLe(image, section + 8, rsrc.size(), 4);
  putLe(image, section + 12, kSectionAddress, 4);
  putLe(image, section + 16, rsrc.size(), 4);
  putLe(image, section + 20, kSectionFile, 4);
  image.insert(image.end(), rsrc.begin(), rsrc.end());
  return image;
}

}  // namespace zs::platform::testing
