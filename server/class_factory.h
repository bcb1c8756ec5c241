// The class factory of one creatable class.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "frame/catalogue.h"
#include "server/ref_count.h"

namespace zs::server {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(const ClassInfo& cls);
  ~ClassFactory();
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  // A new factory for `cls` (one reference for the caller), asked for `iid`.
  static HRESULT create(const ClassInfo& cls, REFIID iid, void** out);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  const ClassInfo& cls_;
  RefCount<ClassFactory> refs_{1};
};

}  // namespace zs::server
