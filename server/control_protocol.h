// The control side of a library object: what a control container (a form
// designer, an ActiveX host) needs beyond automation. Every control class gets
// it from its ComObject without code of its own:
//   - IOleObject, IOleControl, IOleInPlaceObjectWindowless and
//     IOleInPlaceActiveObject: siting, verbs, extents, windowless in-place
//     activation (the controls are invisible at run time and have no window);
//   - IViewObject2: the design-time face (control_view.cpp);
//   - IPersistPropertyBag, IPersistStreamInit, IPersistStorage over the
//     control's InitProperties / ReadProperties / WriteProperties
//     (control_persist.cpp);
//   - IConnectionPointContainer with IPropertyNotifySink and the empty event
//     interface (both enumerable, as are their connections),
//     IProvideClassInfo2, ISpecifyPropertyPages;
//   - IQuickActivate: siting, connections and status in one call
//     (control_quick_activate.cpp).
// The object shares its ComObject's identity and reference count.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "core/property_bag.h"
#include "frame/catalogue.h"
#include "frame/change_notices.h"
#include "server/com_ptr.h"
#include "server/connection_point.h"

namespace zs::server {

class ComObject;

// The resource id of a control's 48x48 design picture (an icon).
inline int designIconId(const ClassInfo& cls) { return cls.toolboxBitmap + 100; }

// The size of the design face in HIMETRIC (48 pixels at 96 dots per inch).
inline constexpr LONG kFaceHimetric = 1270;

class ControlProtocol final : public IOleObject,
                              public IOleControl,
                              public IOleInPlaceObjectWindowless,
                              public IOleInPlaceActiveObject,
                              public IViewObject2,
                              public IPersistPropertyBag,
                              public IPersistStreamInit,
                              public IPersistStorage,
                              public IConnectionPointContainer,
                              public IProvideClassInfo2,
                              public ISpecifyPropertyPages,
                              public IQuickActivate {
 public:
  ControlProtocol(ComObject& owner, std::shared_ptr<Control> control, const ClassInfo& cls);
  ~ControlProtocol();
  ControlProtocol(const ControlProtocol&) = delete;
  ControlProtocol& operator=(const ControlProtocol&) = delete;

  // The interface `iid` of this protocol without a reference, or null.
  void* find(REFIID iid);

  // A property assignment through automation: brackets the call so that one
  // OnChanged per property follows a successful assignment, after the store.
  void beginPut(DISPID id);
  void endPut(bool succeeded);
  // The control reported a change of the property `name` (its change sink).
  void propertyChanged(StringView name);

  // IUnknown (the ComObject's)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** out) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** out) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                   LPCRECT posRect) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* out) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override { return S_OK; }

  // IOleWindow, IOleInPlaceObject(Windowless), IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** out) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

  // IViewObject2 (control_view.cpp)
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                                 HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL metafileBounds,
                                 BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR), ULONG_PTR) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** out) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return OLE_E_NOCONNECTION; }
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE*, LPSIZEL size) override;

  // IPersist, IPersistPropertyBag, IPersistStreamInit, IPersistStorage (control_persist.cpp)
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
  HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE HandsOffStorage() override { return S_OK; }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

  // ISpecifyPropertyPages
  HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

  // IQuickActivate (control_quick_activate.cpp)
  HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
  HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
  HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

 private:
  // The control's change sink: hands each change to the protocol while it lives.
  class Bridge final : public ChangeSink {
   public:
    explicit Bridge(ControlProtocol* owner) : owner_(owner) {}
    void PropertyChanged(StringView name) override {
      if (owner_) owner_->propertyChanged(name);
    }
    void detach() { owner_ = nullptr; }

   private:
    ControlProtocol* owner_;
  };
  // The ambient UserMode of the site: false while a form is designed. True
  // when there is no site or it does not answer.
  bool userMode() const;
  void notify(DISPID id);
  // Runs InitProperties (saved null) or ReadProperties for the first time.
  HRESULT start(PropertyBag* saved);
  HRESULT saveTo(PropertyBag& bag, BOOL clearDirty);
  HRESULT loadStream(IStream* stream);
  HRESULT saveStream(IStream* stream, BOOL clearDirty);
  HRESULT activate(LONG verb);
  // The OLE advise holder of IOleObject::Advise, made at first need.
  HRESULT makeAdviseHolder();
  // The property-change point, then the event interface's where the class has one.
  std::span<ConnectionPoint* const> connectionPoints() const { return {points_.data(), pointCount_}; }
  void viewChanged();

  ComObject& owner_;
  std::shared_ptr<Control> control_;
  const ClassInfo& cls_;
  std::shared_ptr<Bridge> bridge_;
  ConnectionPoint propertyNotify_;
  ConnectionPoint events_;
  std::array<ConnectionPoint*, 2> points_;
  std::size_t pointCount_;
  ComPtr<IOleClientSite> site_;
  ComPtr<IOleInPlaceSite> inPlaceSite_;
  ComPtr<IOleAdviseHolder> adviseHolder_;
  ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0, viewFlags_ = 0;
  SIZEL extent_{kFaceHimetric, kFaceHimetric};
  bool started_ = false;
  bool dirty_ = false;
  ChangeNotices notices_;
};

// The property pages a control names, in order (empty for controls without
// pages). The one place where the design pages join.
std::vector<CLSID> propertyPagesOf(const ClassInfo& cls);

}  // namespace zs::server
