#include "server/control_protocol.h"

#include <algorithm>

#include "core/ascii.h"
#include "server/com_object.h"
#include "server/module.h"

namespace zs::server {

ControlProtocol::ControlProtocol(ComObject& owner, std::shared_ptr<Control> control,
                                 const ClassInfo& cls)
    : owner_(owner),
      control_(std::move(control)),
      cls_(cls),
      bridge_(std::make_shared<Bridge>(this)),
      propertyNotify_(IID_IPropertyNotifySink, static_cast<IOleObject*>(this)),
      events_(guidFrom(cls.eventIid), static_cast<IOleObject*>(this)),
      points_{&propertyNotify_, &events_},
      pointCount_(cls.eventIid.empty() ? 1 : 2) {
  control_->setChangeSink(bridge_);
}

ControlProtocol::~ControlProtocol() {
  bridge_->detach();
  control_->setChangeSink(nullptr);
}

void* ControlProtocol::find(REFIID iid) {
  if (iid == IID_IOleObject) return static_cast<IOleObject*>(this);
  if (iid == IID_IOleControl) return static_cast<IOleControl*>(this);
  if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject || iid == IID_IOleInPlaceObjectWindowless)
    return static_cast<IOleInPlaceObjectWindowless*>(this);
  if (iid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(this);
  if (iid == IID_IViewObject || iid == IID_IViewObject2) return static_cast<IViewObject2*>(this);
  if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
    return static_cast<IPersistStreamInit*>(this);
  if (iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
  if (iid == IID_IPersistStorage) return static_cast<IPersistStorage*>(this);
  if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
  if (iid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
  if (iid == IID_ISpecifyPropertyPages) return static_cast<ISpecifyPropertyPages*>(this);
  if (iid == IID_IQuickActivate) return static_cast<IQuickActivate*>(this);
  return nullptr;
}

HRESULT ControlProtocol::QueryInterface(REFIID iid, void** out) { return owner_.QueryInterface(iid, out); }
ULONG ControlProtocol::AddRef() { return owner_.AddRef(); }
ULONG ControlProtocol::Release() { return owner_.Release(); }

// --- change notification ------------------------------------------------------

void ControlProtocol::beginPut(DISPID id) { notices_.beginAssignment(id); }

void ControlProtocol::endPut(bool succeeded) {
  for (DISPID changed : notices_.endAssignment(succeeded)) notify(changed);
}

void ControlProtocol::propertyChanged(StringView name) {
  DISPID id = DISPID_UNKNOWN;
  for (const Member& m : cls_.members())
    if (m.kind != MemberKind::Method && sameName(u16(m.name), name)) {
      id = m.dispid;
      break;
    }
  if (auto now = notices_.reported(id)) notify(*now);
}

void ControlProtocol::notify(DISPID id) {
  dirty_ = true;
  propertyNotify_.forEach<IPropertyNotifySink>([id](IPropertyNotifySink* sink) { sink->OnChanged(id); });
}

// --- connection points ----------------------------------------------------------

// The property-change point first, then the event interface's.
HRESULT ControlProtocol::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    ConnectionPointsEnum::Items items;
    for (ConnectionPoint* point : connectionPoints()) items.push_back(ComPtr<IConnectionPoint>::share(point));
    return ConnectionPointsEnum::create(IID_IEnumConnectionPoints, std::move(items), out);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ControlProtocol::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (ConnectionPoint* point : connectionPoints())
    if (iid == point->iid()) {
      point->AddRef();
      *out = point;
      return S_OK;
    }
  return CONNECT_E_NOCONNECTION;
}

// --- class information and pages -----------------------------------------------

HRESULT ControlProtocol::GetClassInfo(ITypeInfo** out) { return owner_.GetClassInfo(out); }

HRESULT ControlProtocol::GetGUID(DWORD kind, GUID* out) {
  if (!out) return E_POINTER;
  *out = GUID_NULL;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *out = events_.iid();
  return S_OK;
}

HRESULT ControlProtocol::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  const std::vector<CLSID> ids = propertyPagesOf(cls_);
  if (ids.empty()) return S_OK;
  auto* elems = static_cast<GUID*>(CoTaskMemAlloc(ids.size() * sizeof(GUID)));
  if (!elems) return E_OUTOFMEMORY;
  std::copy(ids.begin(), ids.end(), elems);
  pages->cElems = static_cast<ULONG>(ids.size());
  pages->pElems = elems;
  return S_OK;
}

}  // namespace zs::server
