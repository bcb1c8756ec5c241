#include "server/enum_variant.h"

#include <new>
#include <optional>

#include "core/error.h"
#include "server/module.h"
#include "server/variant_convert.h"

namespace zs::server {
namespace {

// Whether the enumerator's call ran to the end; an enumerator reports a
// failure as a failure code, without error information.
template <class Fn>
bool ran(Fn&& fn) {
  try {
    fn();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

EnumVariant::EnumVariant(std::shared_ptr<Enumerator> core) : core_(std::move(core)) {
  objectCreated();
}

EnumVariant::~EnumVariant() { objectDestroyed(); }

IEnumVARIANT* EnumVariant::wrap(std::shared_ptr<Enumerator> core) {
  auto fresh = std::make_unique<EnumVariant>(std::move(core));
  return static_cast<IEnumVARIANT*>(fresh.release());  // owned by its reference count
}

HRESULT EnumVariant::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IEnumVARIANT)
    *out = static_cast<IEnumVARIANT*>(this);
  else if (iid == kIidCoreObject)
    *out = static_cast<CoreObject*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG EnumVariant::AddRef() { return refs_.add(); }

ULONG EnumVariant::Release() { return refs_.release(this); }

HRESULT EnumVariant::Next(ULONG count, VARIANT* values, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (!values || (count > 1 && !fetched)) return E_INVALIDARG;
  ULONG done = 0;
  bool outOfMemory = false;
  const bool ok = ran([&] {
    try {
      auto items = core_->Next(count);
      for (; done < items.size(); ++done) toVariant(items[done], &values[done]);
    } catch (const std::bad_alloc&) {
      outOfMemory = true;
      throw;
    } catch (const Error& e) {
      outOfMemory = e.number() == err::kOutOfMemory;
      throw;
    }
  });
  if (!ok) {
    for (ULONG i = 0; i < done; ++i) VariantClear(&values[i]);
    return outOfMemory ? E_OUTOFMEMORY : E_FAIL;
  }
  if (fetched) *fetched = done;
  return done == count ? S_OK : S_FALSE;
}

HRESULT EnumVariant::Skip(ULONG count) {
  bool all = false;
  if (!ran([&] { all = core_->Skip(count); })) return E_FAIL;
  return all ? S_OK : S_FALSE;
}

HRESULT EnumVariant::Reset() { return ran([&] { core_->Reset(); }) ? S_OK : E_FAIL; }

HRESULT EnumVariant::Clone(IEnumVARIANT** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return ran([&] { *out = wrap(core_->Clone()); }) ? S_OK : E_OUTOFMEMORY;
}

}  // namespace zs::server
