// A host's own object (any IDispatch or IUnknown that is not one of ours)
// carried inside the library's Variants. It keeps one reference to the COM
// object and hands the very pointer it was given back out, so a host that
// stores an object in a component gets the same object back. One HostObject
// exists per COM object identity at a time.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <memory>

#include "core/object.h"

namespace zs::server {

class HostObject final : public Object {
 public:
  // The holder of `p`; the same holder while one is alive for that object.
  static std::shared_ptr<HostObject> hold(IUnknown* p);

  ~HostObject() override;
  const ClassInfo* classInfo() const override { return nullptr; }
  IUnknown* pointer() const { return pointer_; }

  struct Token {};  // construction goes through hold()
  HostObject(Token, IUnknown* pointer, IUnknown* identity);

 private:
  IUnknown* pointer_;   // as the host passed it (one reference held)
  IUnknown* identity_;  // its IUnknown, the key of the identity map (not held)
};

}  // namespace zs::server
