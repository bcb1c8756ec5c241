#include "server/com_object.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>

#include "core/ascii.h"
#include "core/error.h"
#include "core/error_mapping.h"
#include "server/com_ptr.h"
#include "server/module.h"
#include "server/small_list.h"
#include "server/variant_convert.h"

namespace zs::server {
namespace {

// Calls with up to this many arguments (a property assignment's value
// included) keep them on the stack.
constexpr std::size_t kInlineArguments = 8;

struct Identities {
  std::mutex lock;
  std::map<const Object*, ComObject*> byCore;
};

Identities& identities() {
  static Identities i;
  return i;
}

const VtblEntry kPlainDispatch[] = {ZS_DISPATCH_ENTRIES};

const VtblEntry* vtableFor(const ClassInfo& cls) {
  for (const auto& v : dualVtables())
    if (v.className == cls.name) return v.entries.data();
  return kPlainDispatch;
}

CallKind callKindOf(WORD flags, const DISPPARAMS& params) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (!(flags & DISPATCH_PROPERTYPUT)) return CallKind::Set;
    if (!(flags & DISPATCH_PROPERTYPUTREF)) return CallKind::Let;
    // Both offered: an object value is assigned by reference.
    const VARTYPE vt = params.cArgs ? V_VT(&params.rgvarg[0]) & VT_TYPEMASK : VT_EMPTY;
    return vt == VT_DISPATCH || vt == VT_UNKNOWN ? CallKind::Set : CallKind::Let;
  }
  const bool method = flags & DISPATCH_METHOD;
  const bool get = flags & DISPATCH_PROPERTYGET;
  if (method && get) return CallKind::Default;
  return get ? CallKind::Get : CallKind::Method;
}

// Whether argument `index` of a call to `m` is written back to the caller.
bool writesBack(const Member& m, CallKind kind, std::size_t index) {
  const bool put = kind == CallKind::Let || kind == CallKind::Set;
  if (m.kind == MemberKind::Field) return false;
  if (index >= m.params.size()) return false;
  if (put && index + 1 == m.params.size()) return false;
  return m.params[index].byRef;
}

// Runs a call and turns whatever it throws into an Error.
template <class Fn>
std::optional<Error> guarded(Fn&& fn) {
  try {
    fn();
    return std::nullopt;
  } catch (...) {
    return currentError();
  }
}

void clearSlot(VARTYPE vt, void* p) {
  switch (vt) {
    case VT_VARIANT: VariantInit(static_cast<VARIANT*>(p)); break;
    case VT_I2:
    case VT_BOOL: std::memset(p, 0, 2); break;
    case VT_I4:
    case VT_R4: std::memset(p, 0, 4); break;
    case VT_R8:
    case VT_CY: std::memset(p, 0, 8); break;
    default: std::memset(p, 0, sizeof(void*)); break;
  }
}

}  // namespace

ComObject::ComObject(ObjectPtr core, const ClassInfo& cls, const VtblEntry* vtbl)
    : face_{vtbl, this}, core_(std::move(core)), cls_(cls) {
  if (cls.kind == ClassKind::Control)
    if (auto control = std::dynamic_pointer_cast<Control>(core_))
      control_ = std::make_unique<ControlProtocol>(*this, std::move(control), cls);
  objectCreated();
}

ComObject::~ComObject() { objectDestroyed(); }

IDispatch* ComObject::wrap(const ObjectPtr& core) {
  const ClassInfo* cls = core->classInfo();
  if (!cls) raise(err::kTypeMismatch);
  auto& ids = identities();
  std::lock_guard guard(ids.lock);
  auto it = ids.byCore.find(core.get());
  if (it != ids.byCore.end()) {
    // Revive only a live wrapper; one whose count reached 0 is on its way out.
    ULONG refs = it->second->refs_.load();
    while (refs != 0 && !it->second->refs_.compare_exchange_weak(refs, refs + 1)) {
    }
    if (refs != 0) return it->second->face();
  }
  auto fresh = std::make_unique<ComObject>(core, *cls, vtableFor(*cls));
  fresh->refs_ = 1;
  ComObject* raw = fresh.release();  // owned by its reference count from here
  ids.byCore[core.get()] = raw;
  return raw->face();
}

HRESULT ComObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const bool typed = !cls_.iid.empty();
  if (iid == IID_IUnknown || iid == IID_IDispatch || (typed && iid == guidFrom(cls_.iid)))
    *out = face();
  else if (iid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(this);
  else if (iid == IID_IProvideClassInfo && !cls_.clsid.empty())
    *out = static_cast<IProvideClassInfo*>(this);
  else if (iid == kIidCoreObject)
    *out = static_cast<CoreObject*>(this);
  else if (void* control = control_ ? control_->find(iid) : nullptr)
    *out = control;
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG ComObject::AddRef() { return ++refs_; }

ULONG ComObject::Release() {
  const ULONG left = --refs_;
  if (left == 0) {
    {
      auto& ids = identities();
      std::lock_guard guard(ids.lock);
      auto it = ids.byCore.find(core_.get());
      if (it != ids.byCore.end() && it->second == this) ids.byCore.erase(it);
    }
    std::unique_ptr<ComObject> owned(this);  // the core object is released with it
  }
  return left;
}

HRESULT ComObject::getTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = !cls_.iid.empty() && typeInfoOf(cls_.iid) ? 1 : 0;
  return S_OK;
}

HRESULT ComObject::getTypeInfo(UINT index, ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  if (cls_.iid.empty()) return TYPE_E_ELEMENTNOTFOUND;
  auto info = typeInfoOf(cls_.iid);
  if (!info) return TYPE_E_CANTLOADLIBRARY;
  *out = info.detach();
  return S_OK;
}

// Names are looked up in the member table, which the type library is generated
// from; further names are parameter names, whose ids are their positions.
HRESULT ComObject::getIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  if (count == 0) return S_OK;
  for (UINT i = 0; i < count; ++i)
    if (!names[i]) return E_POINTER;
  const std::string name = u8(reinterpret_cast<const char16_t*>(names[0]));
  const Member* member = nullptr;
  for (const auto& m : cls_.members())
    if (sameName(m.name, name) && (!member || member->params.size() < m.params.size())) member = &m;
  HRESULT hr = S_OK;
  ids[0] = member ? member->dispid : DISPID_UNKNOWN;
  if (!member) hr = DISP_E_UNKNOWNNAME;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    const std::string param = u8(reinterpret_cast<const char16_t*>(names[i]));
    if (member)
      for (std::size_t k = 0; k < member->params.size(); ++k)
        if (sameName(member->params[k].name, param)) ids[i] = static_cast<DISPID>(k);
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

template <class Fn>
std::optional<Error> ComObject::run(DISPID id, CallKind kind, Fn&& call) {
  if (!control_ || (kind != CallKind::Let && kind != CallKind::Set)) return guarded(call);
  control_->beginPut(id);
  auto failure = guarded(call);
  control_->endPut(!failure);
  return failure;
}

HRESULT ComObject::fail(const Error& e, EXCEPINFO* excepInfo) {
  ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.put()))) {
    create->SetGUID(cls_.iid.empty() ? IID_IDispatch : guidFrom(cls_.iid));
    Bstr source(e.source()), description(e.description());
    create->SetSource(source.get());
    create->SetDescription(description.get());
    if (auto info = create.as<IErrorInfo>(IID_IErrorInfo)) SetErrorInfo(0, info.get());
  }
  if (!excepInfo) return static_cast<HRESULT>(e.hresult());
  std::memset(excepInfo, 0, sizeof *excepInfo);
  excepInfo->scode = static_cast<SCODE>(e.hresult());
  excepInfo->bstrSource = Bstr(e.source()).detach();
  excepInfo->bstrDescription = Bstr(e.description()).detach();
  return DISP_E_EXCEPTION;
}

HRESULT ComObject::invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* excepInfo, UINT* argErr) {
  if (!params) return E_INVALIDARG;
  if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
  if (params->cNamedArgs && !params->rgdispidNamedArgs) return E_INVALIDARG;
  if (params->cNamedArgs > params->cArgs) return E_INVALIDARG;
  const CallKind kind = callKindOf(flags, *params);
  const Member* member = findMember(cls_, id, kind);
  if (!member) return DISP_E_MEMBERNOTFOUND;

  // The arguments in call order: positional ones first (rgvarg holds them in
  // reverse), named ones at their parameter's position, the value of a
  // property assignment last. A gap is an omitted argument.
  const UINT named = params->cNamedArgs;
  const UINT positional = params->cArgs - named;
  SmallList<VARIANTARG*, kInlineArguments> slots;
  for (UINT i = 0; i < positional; ++i) slots.push_back(&params->rgvarg[params->cArgs - 1 - i]);
  VARIANTARG* putValue = nullptr;
  for (UINT j = 0; j < named; ++j) {
    const DISPID n = params->rgdispidNamedArgs[j];
    if (n == DISPID_PROPERTYPUT) {
      putValue = &params->rgvarg[j];
      continue;
    }
    if (n < 0 || static_cast<std::size_t>(n) >= member->params.size() ||
        (static_cast<std::size_t>(n) < slots.size() && slots[n])) {
      if (argErr) *argErr = j;
      return DISP_E_PARAMNOTFOUND;
    }
    if (slots.size() <= static_cast<std::size_t>(n)) slots.resize(static_cast<std::size_t>(n) + 1);
    slots[n] = &params->rgvarg[j];
  }
  if (putValue) slots.push_back(putValue);

  SmallList<Argument, kInlineArguments> args(slots.size());
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!slots[i]) continue;  // stays omitted
    auto failure = guarded([&] {
      const bool byRef = V_VT(slots[i]) & VT_BYREF;
      args[i] = Argument{fromVariant(*slots[i]), byRef};
    });
    if (failure) {
      if (argErr) *argErr = static_cast<UINT>(slots[i] - params->rgvarg);
      return fail(*failure, excepInfo);
    }
  }

  Variant value;
  auto failure = run(member->dispid, kind, [&] { value = zs::invoke(*core_, *member, kind, args.all()); });
  // By-reference arguments go back to the caller's variables whatever way the
  // call ended; one that cannot take its new value keeps its old one.
  for (std::size_t i = 0; i < slots.size(); ++i)
    if (slots[i] && args[i].byRef && writesBack(*member, kind, i))
      guarded([&] { storeTyped(args[i].value, V_VT(slots[i]) & VT_TYPEMASK, V_BYREF(slots[i]), true); });
  if (!failure && result) failure = guarded([&] { toVariant(value, result, member->result); });
  return failure ? fail(*failure, excepInfo) : S_OK;
}

HRESULT ComObject::callFromVtable(DISPID id, CallKind kind, std::span<const RawArg> raw,
                                  RawResult result) {
  if (result.vt != VT_EMPTY) {
    if (!result.p) return E_POINTER;
    clearSlot(result.vt, result.p);
  }
  SmallList<Argument, kInlineArguments> args(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const bool byRef = raw[i].vt & VT_BYREF;
    if (byRef && !raw[i].p) return E_POINTER;
    auto failure = guarded([&] { args[i] = Argument{readTyped(raw[i].vt & VT_TYPEMASK, raw[i].p), byRef}; });
    if (failure) return fail(*failure, nullptr);
  }
  Variant value;
  auto failure = run(id, kind, [&] { value = zs::invoke(*core_, id, kind, args.all()); });
  for (std::size_t i = 0; i < raw.size(); ++i)
    if (args[i].byRef)
      guarded([&] { storeTyped(args[i].value, raw[i].vt & VT_TYPEMASK, raw[i].p, true); });
  if (!failure && result.vt != VT_EMPTY)
    failure = guarded([&] { storeTyped(value, result.vt, result.p, false); });
  return failure ? fail(*failure, nullptr) : S_OK;
}

HRESULT ComObject::InterfaceSupportsErrorInfo(REFIID iid) {
  if (iid == IID_IDispatch || (!cls_.iid.empty() && iid == guidFrom(cls_.iid))) return S_OK;
  return S_FALSE;
}

HRESULT ComObject::GetClassInfo(ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto info = typeInfoOf(cls_.clsid);
  if (!info) return TYPE_E_ELEMENTNOTFOUND;
  *out = info.detach();
  return S_OK;
}

// The IUnknown and IDispatch entries of the dual vtables.

HRESULT STDMETHODCALLTYPE faceQueryInterface(DualFace* self, REFIID iid, void** out) {
  return self->owner->QueryInterface(iid, out);
}
ULONG STDMETHODCALLTYPE faceAddRef(DualFace* self) { return self->owner->AddRef(); }
ULONG STDMETHODCALLTYPE faceRelease(DualFace* self) { return self->owner->Release(); }
HRESULT STDMETHODCALLTYPE faceGetTypeInfoCount(DualFace* self, UINT* count) {
  return self->owner->getTypeInfoCount(count);
}
HRESULT STDMETHODCALLTYPE faceGetTypeInfo(DualFace* self, UINT index, LCID, ITypeInfo** out) {
  return self->owner->getTypeInfo(index, out);
}
HRESULT STDMETHODCALLTYPE faceGetIDsOfNames(DualFace* self, REFIID, LPOLESTR* names, UINT count,
                                            LCID, DISPID* ids) {
  return self->owner->getIDsOfNames(names, count, ids);
}
HRESULT STDMETHODCALLTYPE faceInvoke(DualFace* self, DISPID id, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argErr) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return self->owner->invoke(id, flags, params, result, excepInfo, argErr);
}

HRESULT dualCall(DualFace* self, DISPID id, CallKind kind, std::span<const RawArg> args,
                 RawResult result) {
  return self->owner->callFromVtable(id, kind, args, result);
}

}  // namespace zs::server
