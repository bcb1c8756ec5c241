#include "server/module.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace zs::server {
namespace {

std::atomic<long> gObjects{0};
std::atomic<long> gLocks{0};

struct TypeLibraryCache {
  std::mutex lock;
  ComPtr<ITypeLib> library;
};

TypeLibraryCache& cache() {
  static TypeLibraryCache c;
  return c;
}

}  // namespace

HMODULE moduleHandle() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&moduleHandle), &module);
  return module;
}

std::wstring modulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(moduleHandle(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

void objectCreated() { ++gObjects; }
void objectDestroyed() { --gObjects; }
void lockServer(bool lock) { lock ? ++gLocks : --gLocks; }
bool canUnload() { return gObjects == 0 && gLocks == 0; }

ComPtr<ITypeLib> typeLibrary() {
  auto& c = cache();
  std::lock_guard guard(c.lock);
  if (!c.library) {
    const std::wstring path = modulePath();
    LoadTypeLibEx(path.c_str(), REGKIND_NONE, c.library.put());
  }
  return c.library;
}

void releaseTypeLibrary() {
  auto& c = cache();
  std::lock_guard guard(c.lock);
  c.library = ComPtr<ITypeLib>();
}

ComPtr<ITypeInfo> typeInfoOf(std::string_view guid) {
  ComPtr<ITypeInfo> info;
  if (auto library = typeLibrary()) library->GetTypeInfoOfGuid(guidFrom(guid), info.put());
  return info;
}

GUID guidFrom(std::string_view text) {
  GUID g{};
  const std::wstring braced = guidText(text);
  IIDFromString(braced.c_str(), &g);
  return g;
}

std::wstring guidText(std::string_view text) {
  std::wstring out = L"{";
  for (char c : text) out += static_cast<wchar_t>(c);
  return out + L"}";
}

}  // namespace zs::server
