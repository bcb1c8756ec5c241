// The interface that only the library's own COM objects answer: it hands out
// the core object behind the COM pointer, so that an object a host passes back
// in is recognised and unwrapped instead of being called through COM.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "core/object.h"

namespace zs::server {

inline constexpr IID kIidCoreObject = {
    0x5b0e4c1a, 0x93d2, 0x4f67, {0xa8, 0x1e, 0x2c, 0x44, 0x6d, 0x90, 0x13, 0x7f}};

struct CoreObject : IUnknown {
  virtual ObjectPtr core() = 0;
};

// The core object behind a COM pointer of ours; null for anything else.
inline ObjectPtr coreOf(IUnknown* p) {
  CoreObject* mine = nullptr;
  if (!p || FAILED(p->QueryInterface(kIidCoreObject, reinterpret_cast<void**>(&mine))) || !mine)
    return nullptr;
  ObjectPtr core = mine->core();
  mine->Release();
  return core;
}

}  // namespace zs::server
