#include "server/class_factory.h"

#include <memory>
#include <new>

#include "core/error.h"
#include "core/error_mapping.h"
#include "frame/factory.h"
#include "server/com_object.h"
#include "server/com_ptr.h"
#include "server/design_property_page.h"
#include "server/module.h"

namespace zs::server {

ClassFactory::ClassFactory(const ClassInfo& cls) : cls_(cls) { objectCreated(); }
ClassFactory::~ClassFactory() { objectDestroyed(); }

HRESULT ClassFactory::create(const ClassInfo& cls, REFIID iid, void** out) {
  ClassFactory* raw = nullptr;
  try {
    raw = std::make_unique<ClassFactory>(cls).release();  // owned by its reference count
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = raw->QueryInterface(iid, out);
  raw->Release();
  return hr;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return refs_.add(); }

ULONG ClassFactory::Release() { return refs_.release(this); }

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (cls_.kind == ClassKind::PropertyPage) return createPropertyPage(cls_, iid, out);
  try {
    auto object = ComPtr<IDispatch>::adopt(ComObject::wrap(createObject(cls_)));
    return object->QueryInterface(iid, out);
  } catch (...) {
    const Error e = currentError();
    if (e.number() == err::kOutOfMemory) return E_OUTOFMEMORY;
    if (e.number() == err::kInternal) return E_UNEXPECTED;
    // A failing Initialize reaches the creator with its error information.
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
      create->SetSource(Bstr(e.source().empty() ? cls_.progId() : e.source()).get());
      create->SetDescription(Bstr(e.description()).get());
      if (auto info = create.as<IErrorInfo>(IID_IErrorInfo)) SetErrorInfo(0, info.get());
    }
    return static_cast<HRESULT>(e.hresult());
  }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  lockServer(lock != FALSE);
  return S_OK;
}

}  // namespace zs::server
