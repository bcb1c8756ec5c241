// A COM enumerator over a list taken when it was made: IEnumConnectionPoints
// over a control's points and IEnumConnections over the sinks of one point.
// The list is a snapshot, so a sink that disconnects (or a new one that
// connects) while an enumerator exists changes nothing it hands out; clones
// share the snapshot and start at their original's position. Every element it
// hands out carries a reference of its own for the caller.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "server/com_ptr.h"
#include "server/module.h"
#include "server/ref_count.h"

namespace zs::server {

// One connected sink of a connection point, as the point keeps it.
struct Connection {
  DWORD cookie;
  ComPtr<IUnknown> sink;  // the sink's interface of the point, queried at Advise
};

// The element handed to the caller, with its own reference.
inline IConnectionPoint* handOut(const ComPtr<IConnectionPoint>& point) {
  return ComPtr<IConnectionPoint>(point).detach();
}
inline CONNECTDATA handOut(const Connection& c) { return {ComPtr<IUnknown>(c.sink).detach(), c.cookie}; }

template <class Interface, class Element, class Held>
class SnapshotEnum final : public Interface {
 public:
  using Items = std::vector<Held>;

  // A new enumerator over `items` (one reference for the caller) in `out`.
  static HRESULT create(REFIID iid, Items items, Interface** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      auto shared = std::make_shared<const Items>(std::move(items));
      *out = std::make_unique<SnapshotEnum>(iid, std::move(shared), 0).release();  // owned by its count
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  SnapshotEnum(REFIID iid, std::shared_ptr<const Items> items, std::size_t position)
      : iid_(iid), items_(std::move(items)), position_(position) {
    objectCreated();
  }
  ~SnapshotEnum() { objectDestroyed(); }
  SnapshotEnum(const SnapshotEnum&) = delete;
  SnapshotEnum& operator=(const SnapshotEnum&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid != IID_IUnknown && iid != iid_) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
  ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

  // Fills up to `count` elements; S_FALSE when fewer were left. `fetched` may
  // be null only when one element is asked for.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, Element* elements, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (!elements || (!fetched && count != 1)) return E_POINTER;
    ULONG done = 0;
    for (; done < count && position_ < items_->size(); ++done) elements[done] = handOut((*items_)[position_++]);
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  // S_FALSE when fewer than `count` were left; the position stops at the end.
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const std::size_t left = items_->size() - position_;
    if (count > left) {
      position_ = items_->size();
      return S_FALSE;
    }
    position_ += count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      *out = std::make_unique<SnapshotEnum>(iid_, items_, position_).release();  // owned by its count
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

 private:
  IID iid_;
  std::shared_ptr<const Items> items_;
  std::size_t position_;
  RefCount<SnapshotEnum> refs_{1};
};

using ConnectionPointsEnum = SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;
using ConnectionsEnum = SnapshotEnum<IEnumConnections, CONNECTDATA, Connection>;

}  // namespace zs::server
