#include "server/host_object.h"

#include <map>
#include <mutex>

namespace zs::server {
namespace {

struct Registry {
  std::mutex lock;
  std::map<IUnknown*, std::weak_ptr<HostObject>> byIdentity;
};

Registry& registry() {
  static Registry r;
  return r;
}

}  // namespace

HostObject::HostObject(Token, IUnknown* pointer, IUnknown* identity)
    : pointer_(pointer), identity_(identity) {
  pointer_->AddRef();
}

HostObject::~HostObject() {
  {
    auto& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.byIdentity.find(identity_);
    if (it != r.byIdentity.end() && it->second.expired()) r.byIdentity.erase(it);
  }
  pointer_->Release();
}

std::shared_ptr<HostObject> HostObject::hold(IUnknown* p) {
  IUnknown* identity = p;
  IUnknown* unknown = nullptr;
  if (SUCCEEDED(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) {
    identity = unknown;
    unknown->Release();  // only its address is kept; pointer_ keeps the object alive
  }
  auto& r = registry();
  std::lock_guard guard(r.lock);
  auto& slot = r.byIdentity[identity];
  if (auto alive = slot.lock()) return alive;
  auto fresh = std::make_shared<HostObject>(Token{}, p, identity);
  slot = fresh;
  return fresh;
}

}  // namespace zs::server
