#include "platform/posix/version_info.h"

#include <cstring>
#include <string>

#include "core/value_types.h"
#include "platform/posix/icu_locale.h"
#include "platform/posix/pe_resources.h"

namespace zs::platform::posix {
namespace {

constexpr char kTag[4] = {'Z', 'S', 'V', 'I'};
constexpr std::size_t kHeader = 8;
constexpr int kMaxDepth = 8;
constexpr int kMaxNodes = 4096;
constexpr std::size_t kMaxResource = 0xFFFF;  // wLength is 16 bits
constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::size_t align4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

// One node of the tree: [begin, end) in the resource.
struct Node {
  std::size_t begin = 0, end = 0;
  std::size_t valueBegin = 0, valueBytes = 0;
  std::size_t childrenBegin = 0;
  bool text = false;
  std::u16string key;
  std::uint16_t valueLength = 0;  // as declared
};

// Parses the node at `at`, which must end by `limit`.
std::optional<Node> parseNode(std::span<const std::uint8_t> r, std::size_t at, std::size_t limit) {
  if (at > limit || limit - at < 6) return std::nullopt;
  Node n;
  n.begin = at;
  const std::size_t length = u16(r.data() + at);
  if (length < 6 || length > limit - at) return std::nullopt;
  n.end = at + length;
  n.valueLength = u16(r.data() + at + 2);
  n.text = u16(r.data() + at + 4) == 1;
  std::size_t p = at + 6;
  for (;; p += 2) {
    if (n.end - p < 2) return std::nullopt;  // the key has no NUL inside the node
    const std::uint16_t c = u16(r.data() + p);
    if (c == 0) break;
    n.key.push_back(static_cast<char16_t>(c));
  }
  n.valueBegin = std::min(align4(p + 2), n.end);
  const std::size_t declared = n.text ? std::size_t{n.valueLength} * 2 : n.valueLength;
  n.valueBytes = std::min(declared, n.end - n.valueBegin);  // some tools count text in bytes
  n.childrenBegin = std::min(align4(n.valueBegin + n.valueBytes), n.end);
  return n;
}

// The children of a node; nullopt for a malformed child.
std::optional<std::vector<Node>> children(std::span<const std::uint8_t> r, const Node& n, int& budget) {
  std::vector<Node> out;
  std::size_t at = n.childrenBegin;
  while (at < n.end && n.end - at >= 6) {
    if (--budget < 0) return std::nullopt;
    // A zero-length padding word between children is skipped.
    if (u16(r.data() + at) == 0) {
      at += 2;
      continue;
    }
    auto child = parseNode(r, at, n.end);
    if (!child) return std::nullopt;
    at = align4(child->end);
    out.push_back(std::move(*child));
  }
  return out;
}

bool validBelow(std::span<const std::uint8_t> r, const Node& n, int depth, int& budget) {
  if (depth > kMaxDepth) return false;
  const auto kids = children(r, n, budget);
  if (!kids) return false;
  for (const auto& kid : *kids) {
    if (!validBelow(r, kid, depth + 1, budget)) return false;
  }
  return true;
}

char16_t fold(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool sameKey(const std::u16string& key, std::string_view part) {
  const String wanted = zs::u16(part);
  if (wanted.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (fold(key[i]) != fold(wanted[i])) return false;
  }
  return true;
}

std::optional<Node> rootOf(std::span<const std::uint8_t> r) {
  auto root = parseNode(r, 0, r.size());
  if (!root || !sameKey(root->key, "VS_VERSION_INFO")) return std::nullopt;
  return root;
}

BOOL fail(void** buffer, UINT* length) {
  if (buffer) *buffer = nullptr;
  if (length) *length = 0;
  return 0;
}

}  // namespace

bool validVersionTree(std::span<const std::uint8_t> resource) {
  if (resource.size() > kMaxResource) resource = resource.first(kMaxResource);
  const auto root = rootOf(resource);
  int budget = kMaxNodes;
  return root && validBelow(resource, *root, 0, budget);
}

DWORD versionBufferSize(std::size_t resourceSize) {
  return static_cast<DWORD>(kHeader + 4 * std::min(resourceSize, kMaxResource));
}

bool fillVersionBuffer(std::span<const std::uint8_t> resource, void* data, DWORD length) {
  if (resource.size() > kMaxResource) resource = resource.first(kMaxResource);
  if (!data || length < versionBufferSize(resource.size())) return false;
  auto* out = static_cast<std::uint8_t*>(data);
  std::memset(out, 0, versionBufferSize(resource.size()));
  std::memcpy(out, kTag, sizeof kTag);
  const auto size = static_cast<std::uint32_t>(resource.size());
  std::memcpy(out + 4, &size, sizeof size);
  std::memcpy(out + kHeader, resource.data(), resource.size());
  return true;
}

BOOL queryVersionBuffer(const void* block, std::string_view subBlock, void** buffer, UINT* length) {
  if (!block || !buffer || !length) return fail(buffer, length);
  auto* base = static_cast<std::uint8_t*>(const_cast<void*>(block));
  if (std::memcmp(base, kTag, sizeof kTag) != 0) return fail(buffer, length);
  std::uint32_t size = 0;
  std::memcpy(&size, base + 4, sizeof size);
  if (size > kMaxResource) return fail(buffer, length);
  const std::span<const std::uint8_t> r(base + kHeader, size);
  auto node = rootOf(r);
  if (!node) return fail(buffer, length);

  int budget = kMaxNodes, depth = 0;
  std::size_t at = 0;
  while (at < subBlock.size()) {
    const std::size_t slash = std::min(subBlock.find('\\', at), subBlock.size());
    const std::string_view part = subBlock.substr(at, slash - at);
    at = slash + 1;
    if (part.empty()) continue;
    if (++depth > kMaxDepth) return fail(buffer, length);
    const auto kids = children(r, *node, budget);
    if (!kids) return fail(buffer, length);
    const Node* found = nullptr;
    for (const auto& kid : *kids) {
      if (sameKey(kid.key, part)) {
        found = &kid;
        break;
      }
    }
    if (!found) return fail(buffer, length);
    node = *found;
  }

  if (depth == 0) {  // the fixed record, signature checked
    std::uint32_t signature = 0;
    if (node->valueBytes < kFixedSize) return fail(buffer, length);
    std::memcpy(&signature, r.data() + node->valueBegin, sizeof signature);
    if (signature != kFixedSignature) return fail(buffer, length);
  }
  if (!node->text) {
    *buffer = base + kHeader + node->valueBegin;
    *length = static_cast<UINT>(node->valueBytes);
    return 1;
  }
  // A string: its UTF-8 form goes to the room after the resource, at a place
  // of its own (1.5 bytes of room for each byte before the value).
  std::u16string text;
  for (std::size_t p = node->valueBegin; p + 1 < node->valueBegin + node->valueBytes; p += 2) {
    const std::uint16_t c = u16(r.data() + p);
    if (c == 0) break;
    text.push_back(static_cast<char16_t>(c));
  }
  const std::string utf8 = zs::u8(text);
  const std::size_t slot = kHeader + size + node->valueBegin / 2 * 3;
  if (slot + utf8.size() + 1 > versionBufferSize(size)) return fail(buffer, length);
  std::memcpy(base + slot, utf8.c_str(), utf8.size() + 1);
  *buffer = base + slot;
  *length = node->valueLength == 0 ? 0 : static_cast<UINT>(utf8.size() + 1);
  return 1;
}

std::optional<std::vector<std::uint8_t>> VersionPosix::resourceOf(const char* filename) {
  if (!filename || !*filename) return std::nullopt;
  auto resource = findFileResource(filename, kResourceVersion);
  if (!resource || !validVersionTree(*resource)) return std::nullopt;
  return resource;
}

DWORD VersionPosix::GetFileVersionInfoSizeA(const char* filename, DWORD* handle) {
  if (handle) *handle = 0;
  const auto resource = resourceOf(filename);
  return resource ? versionBufferSize(resource->size()) : 0;
}

BOOL VersionPosix::GetFileVersionInfoA(const char* filename, DWORD, DWORD length, void* data) {
  const auto resource = resourceOf(filename);
  return resource && fillVersionBuffer(*resource, data, length);
}

BOOL VersionPosix::VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                                  UINT* length) {
  return queryVersionBuffer(block, subBlock ? subBlock : "", buffer, length);
}

DWORD VersionPosix::VerLanguageNameA(DWORD language, char* name, DWORD size) {
  if (!name || size == 0) return 0;
  std::string text = englishLanguageName(static_cast<LANGID>(language & 0xFFFF));
  if (language > 0xFFFF) text.clear();
  if (text.size() >= size) {
    // Cut to fit without splitting a UTF-8 sequence.
    std::size_t cut = size - 1;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  std::memcpy(name, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace zs::platform::posix
