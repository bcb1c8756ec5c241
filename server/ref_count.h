// The reference count of a COM object that owns itself: the last Release
// deletes it.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

namespace zs::server {

template <class Owner>
class RefCount {
 public:
  explicit RefCount(ULONG initial) : refs_(initial) {}
  ULONG add() { return ++refs_; }
  // Deletes `owner` when this was its last reference.
  ULONG release(Owner* owner) {
    const ULONG left = --refs_;
    if (left == 0) std::unique_ptr<Owner> owned(owner);
    return left;
  }

 private:
  std::atomic<ULONG> refs_;
};

}  // namespace zs::server
