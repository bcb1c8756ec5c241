// Writes small Windows images for tests: a VS_VERSIONINFO tree and PE32 or
// PE32+ files whose one section holds resources (the version, icons).
#pragma once

#include <algorithm>
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

// One resource of an image: its type, its id or (when `name` is not empty)
// its name, and its data; language 0x409.
struct ResourceItem {
  std::uint32_t type;
  std::uint32_t id;
  Bytes data;
  std::string name;
};

// A PE image with one .rsrc section holding `resources`: named entries first,
// ids in the order given (the reader must not rely on their order).
inline Bytes peImageWithResources(const std::vector<ResourceItem>& resources, bool pe32plus = false) {
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

  // The resource section: the type directory, one name directory per type,
  // one language directory per resource, the data entries, names, data.
  std::vector<std::uint32_t> types;
  for (const auto& r : resources) {
    if (std::find(types.begin(), types.end(), r.type) == types.end()) types.push_back(r.type);
  }
  const std::size_t n = resources.size();
  std::size_t at = 16 + 8 * types.size();
  std::vector<std::size_t> typeDir;
  for (auto t : types) {
    typeDir.push_back(at);
    at += 16 + 8 * std::count_if(resources.begin(), resources.end(), [t](const ResourceItem& r) { return r.type == t; });
  }
  std::vector<std::size_t> languageDir(n), dataEntry(n), nameAt(n), dataAt(n);
  for (std::size_t i = 0; i < n; ++i, at += 24) languageDir[i] = at;
  for (std::size_t i = 0; i < n; ++i, at += 16) dataEntry[i] = at;
  Bytes rsrc(at, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (resources[i].name.empty()) continue;
    nameAt[i] = rsrc.size();
    const Bytes w = wide(resources[i].name, false);
    putLe(rsrc, rsrc.size(), w.size() / 2, 2);
    rsrc.insert(rsrc.end(), w.begin(), w.end());
    pad4(rsrc);
  }
  for (std::size_t i = 0; i < n; ++i) {
    pad4(rsrc);
    dataAt[i] = rsrc.size();
    rsrc.insert(rsrc.end(), resources[i].data.begin(), resources[i].data.end());
  }
  pad4(rsrc);
  putLe(rsrc, 14, types.size(), 2);
  for (std::size_t t = 0; t < types.size(); ++t) {
    putLe(rsrc, 16 + 8 * t, types[t], 4);
    putLe(rsrc, 20 + 8 * t, 0x80000000u | typeDir[t], 4);
    // Named entries first, as the format has them; ids in the order given.
    std::size_t named = 0, ids = 0, slot = 0;
    for (const bool pass : {true, false}) {
      for (std::size_t i = 0; i < n; ++i) {
        if (resources[i].type != types[t] || resources[i].name.empty() != !pass) continue;
        (pass ? named : ids) += 1;
        const std::size_t e = typeDir[t] + 16 + 8 * slot++;
        putLe(rsrc, e, pass ? (0x80000000u | nameAt[i]) : resources[i].id, 4);
        putLe(rsrc, e + 4, 0x80000000u | languageDir[i], 4);
      }
    }
    putLe(rsrc, typeDir[t] + 12, named, 2);
    putLe(rsrc, typeDir[t] + 14, ids, 2);
  }
  for (std::size_t i = 0; i < n; ++i) {
    putLe(rsrc, languageDir[i] + 14, 1, 2);
    putLe(rsrc, languageDir[i] + 16, 0x409, 4);
    putLe(rsrc, languageDir[i] + 20, dataEntry[i], 4);
    putLe(rsrc, dataEntry[i], kSectionAddress + dataAt[i], 4);
    putLe(rsrc, dataEntry[i] + 4, resources[i].data.size(), 4);
  }
  putLe(image, opt + directories + 16, kSectionAddress, 4);
  putLe(image, opt + directories + 20, rsrc.size(), 4);
  const std::size_t section = opt + optionalSize;
  const char sectionName[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  for (int i = 0; i < 8; ++i) image[section + i] = static_cast<std::uint8_t>(sectionName[i]);
  putLe(image, section + 8, rsrc.size(), 4);
  putLe(image, section + 12, kSectionAddress, 4);
  putLe(image, section + 16, rsrc.size(), 4);
  putLe(image, section + 20, kSectionFile, 4);
  image.insert(image.end(), rsrc.begin(), rsrc.end());
  return image;
}

// A PE image whose one resource is `resource` as RT_VERSION #1, language 0x409.
inline Bytes peImage(const Bytes& resource, bool pe32plus = false) {
  return peImageWithResources({{16, 1, resource, {}}}, pe32plus);
}

}  // namespace zs::platform::testing
