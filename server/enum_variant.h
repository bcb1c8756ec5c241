// The COM enumerator (IEnumVARIANT) over a collection's enumerator, as
// NewEnum hands it to hosts for For Each.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "core/enumerator.h"
#include "server/core_object.h"
#include "server/ref_count.h"

namespace zs::server {

class EnumVariant final : public IEnumVARIANT, public CoreObject {
 public:
  // A new COM enumerator over `core` (one reference for the caller).
  static IEnumVARIANT* wrap(std::shared_ptr<Enumerator> core);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IEnumVARIANT
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* values, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override;
  // CoreObject
  ObjectPtr core() override { return core_; }

  explicit EnumVariant(std::shared_ptr<Enumerator> core);
  ~EnumVariant();
  EnumVariant(const EnumVariant&) = delete;
  EnumVariant& operator=(const EnumVariant&) = delete;

 private:
  std::shared_ptr<Enumerator> core_;
  RefCount<EnumVariant> refs_{1};
};

}  // namespace zs::server
