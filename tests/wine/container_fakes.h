// The container side for control_container.cpp: a client site that answers the
// ambient UserMode, hosts in-place activation and hears property changes, and
// an in-memory property bag. They live on the test's stack and count no
// references.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <iterator>
#include <string>
#include <utility>

#include "server/com_ptr.h"

template <class T>
using Com = zs::server::ComPtr<T>;

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  explicit Variant(const wchar_t* text) {
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
  }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

class Site final : public IOleClientSite, public IDispatch, public IOleInPlaceSite, public IPropertyNotifySink {
 public:
  explicit Site(bool userMode) : userMode_(userMode) {}

  bool active = false;
  std::map<DISPID, int> changed;
  std::wstring valueWhenChanged;  // the property read back inside OnChanged
  IDispatch* control = nullptr;   // set to read the value back in OnChanged

  int changedTotal() const {
    int n = 0;
    for (const auto& c : changed) n += c.second;
    return n;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IPropertyNotifySink) *out = static_cast<IPropertyNotifySink*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IDispatch: the ambient properties; only UserMode is answered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = userMode_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    *out = nullptr;
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
    active = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT,
                                             LPRECT, LPOLEINPLACEFRAMEINFO) override {
    *frame = nullptr;
    *doc = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
    active = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IPropertyNotifySink
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    ++changed[id];
    if (control) {
      DISPPARAMS none{};
      VARIANT v;
      VariantInit(&v);
      if (SUCCEEDED(control->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)) &&
          V_VT(&v) == VT_BSTR)
        valueWhenChanged = V_BSTR(&v) ? V_BSTR(&v) : L"";
      VariantClear(&v);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

 private:
  bool userMode_;
};

// A fake that lives on the test's stack and counts no references, answering
// IUnknown and the one interface `I` it implements.
template <class I, const IID* Iid>
class OnStack : public I {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == *Iid) {
      *out = static_cast<I*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

// Values by name, as a form keeps them; Read gives the stored kind.
class PropertyBag final : public OnStack<IPropertyBag, &IID_IPropertyBag> {
 public:
  ~PropertyBag() {
    for (auto& [name, v] : values_) VariantClear(&v);
  }
  std::size_t size() const { return values_.size(); }

  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    auto it = values_.find(name);
    if (it == values_.end()) return E_INVALIDARG;
    return V_VT(value) == VT_EMPTY ? VariantCopy(value, &it->second)
                                   : VariantChangeType(value, &it->second, 0, V_VT(value));
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
    VARIANT& slot = values_[name];
    VariantClear(&slot);
    return VariantCopy(&slot, value);
  }

 private:
  std::map<std::wstring, VARIANT> values_;
};

// The frame's side of a page: counts the dirty reports.
class PageSite final : public OnStack<IPropertyPageSite, &IID_IPropertyPageSite> {
 public:
  int dirtyReports = 0;
  HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
    if (flags & PROPPAGESTATUS_DIRTY) ++dirtyReports;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* out) override {
    *out = LOCALE_USER_DEFAULT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

// An object with text properties by name and nothing else, as a page sees a
// control it reaches late-bound; counts the assignments.
class NamedProperties final : public OnStack<IDispatch, &IID_IDispatch> {
 public:
  explicit NamedProperties(std::map<std::wstring, std::wstring> values) : values_(std::move(values)) {}
  int puts = 0;
  const std::wstring& operator[](const std::wstring& name) { return values_[name]; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    DISPID id = 1;
    for (const auto& [name, value] : values_) {
      if (_wcsicmp(name.c_str(), names[0]) == 0) {
        *ids = id;
        return S_OK;
      }
      ++id;
    }
    *ids = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > values_.size()) return DISP_E_MEMBERNOTFOUND;
    auto it = std::next(values_.begin(), id - 1);
    if (flags & DISPATCH_PROPERTYGET) {
      if (!result) return E_POINTER;
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocString(it->second.c_str());
      return S_OK;
    }
    if (!(flags & DISPATCH_PROPERTYPUT) || !params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, &params->rgvarg[0], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
    it->second = V_BSTR(&text) ? V_BSTR(&text) : L"";
    VariantClear(&text);
    ++puts;
    return S_OK;
  }

 private:
  std::map<std::wstring, std::wstring> values_;
};

// A sink that counts the references held on it (it lives on the test's stack
// and is never deleted): for checking what connections and their enumerators
// hold. Answers IUnknown, IDispatch and the one interface `iid`; as an
// IPropertyNotifySink it counts OnChanged.
class CountedSink final : public IPropertyNotifySink, public IDispatch {
 public:
  explicit CountedSink(const IID& iid = IID_IPropertyNotifySink) : iid_(iid) {}
  ULONG refs = 0;
  int changes = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || (iid == iid_ && iid_ == IID_IPropertyNotifySink))
      *out = static_cast<IPropertyNotifySink*>(this);
    else if (iid == IID_IDispatch || iid == iid_)
      *out = static_cast<IDispatch*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    ++refs;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  // The COM identity, for comparing with what a connection list hands out.
  IUnknown* identity() { return static_cast<IPropertyNotifySink*>(this); }

  HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override {
    ++changes;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  IID iid_;
};

// The container's view sink, as quick activation and IOleObject::Advise take it.
class ViewSink final : public OnStack<IAdviseSinkEx, &IID_IAdviseSinkEx> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IAdviseSink) {
      *out = static_cast<IAdviseSink*>(this);
      return S_OK;
    }
    return OnStack::QueryInterface(iid, out);
  }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
  void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
  void STDMETHODCALLTYPE OnSave() override {}
  void STDMETHODCALLTYPE OnClose() override {}
  void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}
};
