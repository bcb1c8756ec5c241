// One outgoing interface of a control: the sinks a container connects and the
// calls made on them. It lives inside its control and shares the control's
// reference count; GetConnectionPointContainer hands out the control.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <vector>

#include "server/com_ptr.h"
#include "server/snapshot_enum.h"

namespace zs::server {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // `owner` is the control (its IUnknown counts the references of both).
  ConnectionPoint(IID iid, IUnknown* owner) : iid_(iid), owner_(owner) {}

  const IID& iid() const { return iid_; }
  // Calls `fn` on every connected sink, on a copy of the list so that a sink
  // may disconnect itself from inside the call.
  template <class Sink>
  void forEach(const std::function<void(Sink*)>& fn) const {
    std::vector<ComPtr<IUnknown>> sinks;
    for (const auto& c : connections_) sinks.push_back(c.sink);
    for (const auto& s : sinks) fn(reinterpret_cast<Sink*>(s.get()));
  }
  std::size_t size() const { return connections_.size(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

 private:
  IID iid_;
  IUnknown* owner_;
  DWORD nextCookie_ = 1;
  std::vector<Connection> connections_;
};

}  // namespace zs::server
