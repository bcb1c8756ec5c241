#include "server/variant_convert.h"

#include <cmath>
#include <limits>

#include "core/dispatch.h"
#include "core/error.h"
#include "core/variant_ops.h"
#include "server/com_object.h"
#include "server/enum_variant.h"
#include "server/com_ptr.h"
#include "server/host_object.h"
#include "server/picture_bridge.h"

namespace zs::server {
namespace {

Variant wholeNumber(double value) {
  if (value >= std::numeric_limits<Long>::min() && value <= std::numeric_limits<Long>::max())
    return Variant(static_cast<Long>(value));
  return Variant(value);
}

Variant objectFrom(IUnknown* p) {
  if (!p) return Variant::nothing();
  if (ObjectPtr core = coreOf(p)) return Variant(core);
  if (auto picture = pictureFromOle(p)) return Variant(ObjectPtr(std::move(picture)));
  return Variant(HostObject::hold(p));
}

// The COM pointer for an object of any origin (AddRef'd), or null for Nothing.
IUnknown* pointerFor(const ObjectPtr& object, bool asUnknown) {
  if (!object) return nullptr;
  if (auto* host = dynamic_cast<HostObject*>(object.get())) {
    IUnknown* p = host->pointer();
    p->AddRef();
    return p;
  }
  if (auto enumerator = std::dynamic_pointer_cast<Enumerator>(object))
    return EnumVariant::wrap(std::move(enumerator));
  auto picture = std::dynamic_pointer_cast<branding::Picture>(object);
  IDispatch* d = picture ? olePictureFor(picture) : ComObject::wrap(object);
  if (!asUnknown) return d;
  IUnknown* u = nullptr;
  d->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&u));
  d->Release();
  return u;
}

}  // namespace

Variant readTyped(VARTYPE vt, const void* p) {
  switch (vt) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return Variant::null();
    case VT_I2: return Variant(*static_cast<const SHORT*>(p));
    case VT_I4: return Variant(static_cast<Long>(*static_cast<const LONG*>(p)));
    case VT_R4: return Variant(*static_cast<const FLOAT*>(p));
    case VT_R8: return Variant(*static_cast<const DOUBLE*>(p));
    case VT_DATE: return Variant(static_cast<Double>(*static_cast<const DATE*>(p)));
    case VT_CY: return Variant(Currency::fromScaled(static_cast<const CY*>(p)->int64));
    case VT_BSTR: return Variant(Bstr::toString(*static_cast<const BSTR*>(p)));
    case VT_BOOL: return Variant(Boolean(*static_cast<const VARIANT_BOOL*>(p) != VARIANT_FALSE));
    case VT_ERROR: return Variant(ErrorCode{static_cast<std::int32_t>(*static_cast<const SCODE*>(p))});
    case VT_DISPATCH: return objectFrom(*static_cast<IDispatch* const*>(p));
    case VT_UNKNOWN: return objectFrom(*static_cast<IUnknown* const*>(p));
    case VT_I1: return Variant(Integer{*static_cast<const CHAR*>(p)});
    case VT_UI1: return Variant(Integer{*static_cast<const BYTE*>(p)});
    case VT_UI2: return Variant(Long{*static_cast<const USHORT*>(p)});
    case VT_UI4: return wholeNumber(*static_cast<const ULONG*>(p));
    case VT_INT: return Variant(static_cast<Long>(*static_cast<const INT*>(p)));
    case VT_UINT: return wholeNumber(*static_cast<const UINT*>(p));
    case VT_I8: return wholeNumber(static_cast<double>(*static_cast<const LONGLONG*>(p)));
    case VT_UI8: return wholeNumber(static_cast<double>(*static_cast<const ULONGLONG*>(p)));
    case VT_DECIMAL: {
      double d = 0;
      DECIMAL copy = *static_cast<const DECIMAL*>(p);
      if (FAILED(VarR8FromDec(&copy, &d))) raise(err::kOverflow);
      return Variant(d);
    }
    case VT_VARIANT: return fromVariant(*static_cast<const VARIANT*>(p));
    default: raise(err::kTypeMismatch);
  }
}

Variant fromVariant(const VARIANT& v) {
  const VARTYPE vt = V_VT(&v);
  if (vt & VT_ARRAY) raise(err::kTypeMismatch);
  if (vt & VT_BYREF) {
    if (!V_BYREF(&v)) raise(err::kTypeMismatch);
    return readTyped(vt & VT_TYPEMASK, V_BYREF(&v));
  }
  if (vt == VT_DECIMAL) return readTyped(VT_DECIMAL, &V_DECIMAL(&v));
  // Every other by-value kind keeps its value at the start of the union.
  return readTyped(vt, &V_I4(&v));
}

void toVariant(const Variant& value, VARIANT* out, TypeRef declared) {
  VariantInit(out);
  switch (value.kind()) {
    case Kind::Empty: break;
    case Kind::Null: V_VT(out) = VT_NULL; break;
    case Kind::Integer: V_VT(out) = VT_I2; V_I2(out) = value.integer(); break;
    case Kind::Long: V_VT(out) = VT_I4; V_I4(out) = value.lng(); break;
    case Kind::Single: V_VT(out) = VT_R4; V_R4(out) = value.single(); break;
    case Kind::Double: V_VT(out) = VT_R8; V_R8(out) = value.dbl(); break;
    case Kind::Currency: V_VT(out) = VT_CY; V_CY(out).int64 = value.currency().scaled; break;
    case Kind::String: {
      Bstr b(StringView(value.string()));
      if (!b.get()) throw std::bad_alloc();
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = b.detach();
      break;
    }
    case Kind::Boolean:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case Kind::Object: {
      const bool asUnknown = declared.type == Type::Unknown;
      IUnknown* p = pointerFor(value.object(), asUnknown);
      if (asUnknown) {
        V_VT(out) = VT_UNKNOWN;
        V_UNKNOWN(out) = p;
      } else {
        IDispatch* d = nullptr;
        if (p && FAILED(p->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)))) {
          V_VT(out) = VT_UNKNOWN;  // a host object without IDispatch stays what it is
          V_UNKNOWN(out) = p;
          break;
        }
        if (p) p->Release();
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = d;
      }
      break;
    }
    case Kind::Error: V_VT(out) = VT_ERROR; V_ERROR(out) = value.error().scode; break;
  }
}

void storeTyped(const Variant& value, VARTYPE vt, void* p, bool replace) {
  switch (vt) {
    case VT_I2: *static_cast<SHORT*>(p) = toInteger(value); return;
    case VT_I4: *static_cast<LONG*>(p) = toLong(value); return;
    case VT_R4: *static_cast<FLOAT*>(p) = toSingle(value); return;
    case VT_R8: *static_cast<DOUBLE*>(p) = toDouble(value); return;
    case VT_DATE: *static_cast<DATE*>(p) = toDouble(value); return;
    case VT_CY: static_cast<CY*>(p)->int64 = toCurrency(value).scaled; return;
    case VT_BOOL:
      *static_cast<VARIANT_BOOL*>(p) = toBoolean(value) ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VT_BSTR: {
      Bstr b(StringView(value.kind() == Kind::String ? value.string() : toText(value)));
      if (!b.get()) throw std::bad_alloc();
      auto* slot = static_cast<BSTR*>(p);
      if (replace) SysFreeString(*slot);
      *slot = b.detach();
      return;
    }
    case VT_ERROR:
      *static_cast<SCODE*>(p) = value.kind() == Kind::Error ? value.error().scode : 0;
      return;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      if (value.kind() != Kind::Object && !value.isEmpty()) raise(err::kTypeMismatch);
      IUnknown* fresh = value.isEmpty() ? nullptr : pointerFor(value.object(), vt == VT_UNKNOWN);
      if (fresh && vt == VT_DISPATCH) {
        IDispatch* d = nullptr;
        HRESULT hr = fresh->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
        fresh->Release();
        if (FAILED(hr)) raise(err::kTypeMismatch);
        fresh = d;
      }
      auto* slot = static_cast<IUnknown**>(p);
      if (replace && *slot) (*slot)->Release();
      *slot = fresh;
      return;
    }
    case VT_VARIANT: {
      VARIANT fresh;
      toVariant(value, &fresh);
      auto* slot = static_cast<VARIANT*>(p);
      if (replace) VariantClear(slot);
      *slot = fresh;
      return;
    }
    default: raise(err::kTypeMismatch);
  }
}

}  // namespace zs::server
