// version.dll on Linux: the VS_VERSIONINFO tree of a PE file's version
// resource (pe_resources.h), walked the way VerQueryValueA walks it.
//
// The buffer of GetFileVersionInfoA: a tag and the resource's size, the
// resource as the file holds it, then room where VerQueryValueA writes a
// string's UTF-8 form (three bytes for every byte of the resource suffice).
// Every node's length, key and value is checked against its parent; depth
// and node counts are capped; a malformed tree is no resource at all.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/version.h"

namespace zs::platform::posix {

// True when `resource` is a well-formed VS_VERSIONINFO tree.
bool validVersionTree(std::span<const std::uint8_t> resource);

// The buffer size for a resource of `resourceSize` bytes.
DWORD versionBufferSize(std::size_t resourceSize);
// Writes the buffer; false when `length` is smaller than the buffer size.
bool fillVersionBuffer(std::span<const std::uint8_t> resource, void* data, DWORD length);
// VerQueryValueA over a buffer that fillVersionBuffer wrote.
BOOL queryVersionBuffer(const void* block, std::string_view subBlock, void** buffer, UINT* length);

class VersionPosix : public Version {
 public:
  DWORD GetFileVersionInfoSizeA(const char* filename, DWORD* handle) override;
  BOOL GetFileVersionInfoA(const char* filename, DWORD handle, DWORD length, void* data) override;
  BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer,
                      UINT* length) override;
  // English names from ICU (icu_locale.h).
  DWORD VerLanguageNameA(DWORD language, char* name, DWORD size) override;

 private:
  static std::optional<std::vector<std::uint8_t>> resourceOf(const char* filename);
};

}  // namespace zs::platform::posix
