// Quick activation: what a form designer would otherwise do one call at a
// time after creating a control (site it, connect its change and event sinks,
// hand it a view sink, ask its status), in one call.
#include <cstddef>

#include "server/control_protocol.h"
#include "server/module.h"

namespace zs::server {
namespace {

// The parts of the two records this object reads and writes; containers built
// against older headers pass shorter records, which are taken when they hold
// these fields.
constexpr ULONG kContainerNeeds = offsetof(QACONTAINER, pUnkEventSink) + sizeof(IUnknown*);
constexpr ULONG kControlNeeds = offsetof(QACONTROL, dwPropNotifyCookie) + sizeof(DWORD);
constexpr ULONG kControlWithPolicy = offsetof(QACONTROL, dwPointerActivationPolicy) + sizeof(DWORD);

}  // namespace

HRESULT ControlProtocol::QuickActivate(QACONTAINER* container, QACONTROL* control) {
  if (!container || !control) return E_POINTER;
  if (container->cbSize < kContainerNeeds || control->cbSize < kControlNeeds) return E_INVALIDARG;
  // The connections first: a sink that cannot be connected fails the call
  // with the control left as it was, and the container can go the long way.
  DWORD changes = 0, events = 0;
  if (container->pPropertyNotifySink) {
    const HRESULT hr = propertyNotify_.Advise(container->pPropertyNotifySink, &changes);
    if (FAILED(hr)) return hr;
  }
  if (container->pUnkEventSink && connectionPoints().size() > 1) {
    const HRESULT hr = events_.Advise(container->pUnkEventSink, &events);
    if (FAILED(hr)) {
      if (changes) propertyNotify_.Unadvise(changes);
      return hr;
    }
  }
  SetClientSite(container->pClientSite);
  if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  control->dwMiscStatus = library::kControlMiscStatus;
  // Neither opaque nor a solid background: the face covers its bounds while a
  // form is designed, but at run time the control draws nothing at all.
  control->dwViewStatus = 0;
  control->dwEventCookie = events;
  control->dwPropNotifyCookie = changes;
  if (control->cbSize >= kControlWithPolicy) control->dwPointerActivationPolicy = 0;
  return S_OK;
}

HRESULT ControlProtocol::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

HRESULT ControlProtocol::GetContentExtent(LPSIZEL size) {
  return static_cast<IOleObject*>(this)->GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace zs::server
