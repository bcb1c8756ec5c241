// libFuzzer target for the PE resource reader and the version-tree walk: any
// input is read as an image, and its version resource, if any, as a tree.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/posix/pe_resources.h"
#include "platform/posix/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zs::platform;
  const std::vector<std::uint8_t> image(data, data + size);
  // The input also stands for a resource on its own, to reach the tree walk
  // without an image around it.
  for (const auto& resource :
       {posix::findResource(posix::memoryImage(image), posix::kResourceVersion),
        std::optional<std::vector<std::uint8_t>>(image)}) {
    if (!resource || !posix::validVersionTree(*resource)) continue;
    std::vector<std::uint8_t> block(posix::versionBufferSize(resource->size()));
    if (!posix::fillVersionBuffer(*resource, block.data(), static_cast<DWORD>(block.size()))) continue;
    for (const char* query : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904B0\\ProductName",
                              "\\StringFileInfo\\040904b0\\CompanyName"}) {
      void* found = nullptr;
      UINT length = 0;
      posix::queryVersionBuffer(block.data(), query, &found, &length);
    }
  }
  return 0;
}
