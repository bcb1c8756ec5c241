// The global allocation functions of the benchmark programs: malloc and free,
// with a per-thread count of every allocation (see allocation_meter.h).
#include <cstdlib>
#include <new>

#include "bench/allocation_meter.h"

namespace {

thread_local std::size_t tAllocations = 0;

void* allocate(std::size_t size, std::size_t alignment) {
  ++tAllocations;
  if (size == 0) size = 1;
  for (;;) {
    void* p = nullptr;
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
      p = std::malloc(size);
    } else {
      // aligned_alloc wants a size that is a multiple of the alignment.
      const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
      p = std::aligned_alloc(alignment, rounded);
    }
    if (p) return p;
    const std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* allocateOrNull(std::size_t size, std::size_t alignment) noexcept {
  try {
    return allocate(size, alignment);
  } catch (...) {
    return nullptr;
  }
}

constexpr std::size_t kDefault = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
std::size_t widen(std::align_val_t a) { return static_cast<std::size_t>(a); }

}  // namespace

namespace zs::bench {
std::size_t allocationsOnThisThread() { return tAllocations; }
}  // namespace zs::bench

void* operator new(std::size_t n) { return allocate(n, kDefault); }
void* operator new[](std::size_t n) { return allocate(n, kDefault); }
void* operator new(std::size_t n, std::align_val_t a) { return allocate(n, widen(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return allocate(n, widen(a)); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  return allocateOrNull(n, kDefault);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  return allocateOrNull(n, kDefault);
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateOrNull(n, widen(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateOrNull(n, widen(a));
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
