// The entry points of the in-process server (exported through VQZavrinStudio.def).
#include <windows.h>
#include <olectl.h>

#include "frame/catalogue.h"
#include "server/class_factory.h"
#include "server/design_property_page.h"
#include "frame/catalogue.h"
#include "server/module.h"
#include "server/registration.h"

using namespace zs::server;

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const zs::ClassInfo* cls : zs::exposedClasses())
    if (cls->creatable() && clsid == guidFrom(cls->clsid)) return ClassFactory::create(*cls, iid, out);
  if (const zs::ClassInfo* page = propertyPageClass(clsid)) return ClassFactory::create(*page, iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  if (!canUnload()) return S_FALSE;
  releaseTypeLibrary();
  return S_OK;
}

HRESULT STDAPICALLTYPE DllRegisterServer() { return registerServer(); }

HRESULT STDAPICALLTYPE DllUnregisterServer() { return unregisterServer(); }

}  // extern "C"
