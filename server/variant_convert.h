// Conversions between automation VARIANTs and the library's Variant.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "core/members.h"
#include "core/variant.h"

namespace zs::server {

// The value a VARIANT holds, following VT_BYREF. Objects of this library come
// back as their core objects, OLE pictures as pictures (picture_bridge.h),
// other objects as host objects (host_object.h).
// Dates arrive as Doubles, the small and unsigned integer kinds as Integer or
// Long (Double when out of Long range), Decimal as Double. Arrays and other
// kinds raise 13.
Variant fromVariant(const VARIANT& v);

// A new VARIANT holding `value` (the caller clears it). A declared result type
// of Unknown hands objects out as IUnknown, anything else as IDispatch.
void toVariant(const Variant& value, VARIANT* out, TypeRef declared = t::Variant);

// Reads the typed value at `p` (by-value or by-reference storage of type `vt`,
// without VT_BYREF). VT_VARIANT means `p` points to a VARIANT.
Variant readTyped(VARTYPE vt, const void* p);

// Stores `value`, converted to `vt`, at `p`. When `replace` is true the old
// content at `p` is released first (a caller's variable); otherwise `p` is
// uninitialised storage (an [out,retval] slot).
void storeTyped(const Variant& value, VARTYPE vt, void* p, bool replace);

}  // namespace zs::server
