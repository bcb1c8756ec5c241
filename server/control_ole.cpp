// Siting, verbs, extents and in-place activation. The controls are invisible
// at run time and have no window of their own: they activate windowless where
// the site allows it, and the container draws their face through IViewObject.
#include <olectl.h>

#include "server/control_protocol.h"
#include "server/module.h"

namespace zs::server {

HRESULT ControlProtocol::SetClientSite(IOleClientSite* site) {
  if (!site) InPlaceDeactivate();
  site_ = ComPtr<IOleClientSite>::share(site);
  return S_OK;
}

HRESULT ControlProtocol::GetClientSite(IOleClientSite** out) {
  if (!out) return E_POINTER;
  *out = ComPtr<IOleClientSite>(site_).detach();
  return S_OK;
}

HRESULT ControlProtocol::Close(DWORD saveOption) {
  InPlaceDeactivate();
  if (saveOption != OLECLOSE_NOSAVE && dirty_ && site_ &&
      (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
    site_->SaveObject();
  if (adviseHolder_) adviseHolder_->SendOnClose();
  return S_OK;
}

HRESULT ControlProtocol::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlProtocol::GetClipboardData(DWORD, IDataObject** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlProtocol::activate(LONG verb) {
  if (!inPlaceSite_) {
    if (!site_) return E_UNEXPECTED;
    auto site = site_.as<IOleInPlaceSite>(IID_IOleInPlaceSite);
    if (!site) return OLEOBJ_S_CANNOT_DOVERB_NOW;
    if (site->CanInPlaceActivate() != S_OK) return OLEOBJ_S_CANNOT_DOVERB_NOW;
    // Windowless where the site can host that, else an ordinary in-place
    // object whose window request fails (it has none) and whose face the
    // container draws.
    HRESULT hr = E_NOINTERFACE;
    if (auto windowless = site.as<IOleInPlaceSiteWindowless>(IID_IOleInPlaceSiteWindowless);
        windowless && windowless->CanWindowlessActivate() == S_OK) {
      BOOL redraw = FALSE;
      hr = windowless->OnInPlaceActivateEx(&redraw, ACTIVATE_WINDOWLESS);
    }
    if (FAILED(hr)) hr = site->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    inPlaceSite_ = site;
  }
  if (verb == OLEIVERB_SHOW || verb == OLEIVERB_PRIMARY) site_->ShowObject();
  return S_OK;
}

HRESULT ControlProtocol::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
  if (site && !site_) SetClientSite(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:  // nothing to show in a user interface: in place only
      return activate(verb);
    case OLEIVERB_HIDE:
      return InPlaceDeactivate();
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    case OLEIVERB_OPEN:  // no window of its own to open in
    case OLEIVERB_PROPERTIES:  // containers show the pages of ISpecifyPropertyPages
      return E_NOTIMPL;
    default:
      if (verb > 0) {
        const HRESULT hr = activate(OLEIVERB_PRIMARY);
        return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
      }
      return E_NOTIMPL;
  }
}

HRESULT ControlProtocol::EnumVerbs(IEnumOLEVERB** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return OLEOBJ_E_NOVERBS;
}

HRESULT ControlProtocol::GetUserClassID(CLSID* out) { return GetClassID(out); }

HRESULT ControlProtocol::GetUserType(DWORD form, LPOLESTR* out) {
  if (!out) return E_POINTER;
  return OleRegGetUserType(guidFrom(cls_.clsid), form, out);
}

HRESULT ControlProtocol::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_INVALIDARG;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
  extent_ = *size;
  return S_OK;
}

HRESULT ControlProtocol::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = extent_;
  return S_OK;
}

HRESULT ControlProtocol::makeAdviseHolder() {
  return adviseHolder_ ? S_OK : CreateOleAdviseHolder(adviseHolder_.put());
}

HRESULT ControlProtocol::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_INVALIDARG;
  const HRESULT hr = makeAdviseHolder();
  return FAILED(hr) ? hr : adviseHolder_->Advise(sink, cookie);
}

HRESULT ControlProtocol::Unadvise(DWORD cookie) {
  return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

// An empty list before the first Advise, never a success without an enumerator.
HRESULT ControlProtocol::EnumAdvise(IEnumSTATDATA** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const HRESULT hr = makeAdviseHolder();
  return FAILED(hr) ? hr : adviseHolder_->EnumAdvise(out);
}

HRESULT ControlProtocol::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = library::kControlMiscStatus;
  return S_OK;
}

// --- IOleControl ---------------------------------------------------------------

HRESULT ControlProtocol::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

// The face depends on UserMode only.
HRESULT ControlProtocol::OnAmbientPropertyChange(DISPID id) {
  if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) viewChanged();
  return S_OK;
}

// --- in place -------------------------------------------------------------------

HRESULT ControlProtocol::GetWindow(HWND* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_FAIL;
}

HRESULT ControlProtocol::InPlaceDeactivate() {
  if (!inPlaceSite_) return S_OK;
  ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  inPlaceSite_ = ComPtr<IOleInPlaceSite>();
  if (auto ex = site.as<IOleInPlaceSiteEx>(IID_IOleInPlaceSiteEx))
    ex->OnInPlaceDeactivateEx(TRUE);
  else
    site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT ControlProtocol::SetObjectRects(LPCRECT pos, LPCRECT) {
  return pos ? S_OK : E_INVALIDARG;
}

HRESULT ControlProtocol::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result) *result = 0;
  return S_FALSE;  // not handled: the container does the default
}

HRESULT ControlProtocol::GetDropTarget(IDropTarget** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

}  // namespace zs::server
