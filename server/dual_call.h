// The calling side of the dual interfaces. Every library object that a client
// holds is a ComObject; the pointer it hands out for IDispatch and for the
// class's dual interface is its DualFace, whose vtable starts with the
// IUnknown and IDispatch entries and continues with one generated stub per
// function of the interface (server/generated/dual_vtables.cpp). A stub packs
// its arguments as RawArgs and calls dualCall, which runs the member through
// the dynamic layer exactly as IDispatch::Invoke does.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <span>
#include <string_view>

#include "core/dispatch.h"

namespace zs::server {

class ComObject;

using VtblEntry = void (*)();

struct DualFace {
  const VtblEntry* vtbl;
  ComObject* owner;
};

// One argument of a vtable call: its automation type (with VT_BYREF for an
// [in,out] parameter) and where the value lies (the parameter itself for a
// by-value argument, the caller's variable for a by-reference one).
struct RawArg {
  VARTYPE vt;
  void* p;
};

// Where a vtable call stores its [out,retval] result (VT_EMPTY: none).
struct RawResult {
  VARTYPE vt;
  void* p;
};

HRESULT dualCall(DualFace* self, DISPID id, CallKind kind, std::span<const RawArg> args,
                 RawResult result);

// The IUnknown and IDispatch part of every dual vtable.
HRESULT STDMETHODCALLTYPE faceQueryInterface(DualFace* self, REFIID iid, void** out);
ULONG STDMETHODCALLTYPE faceAddRef(DualFace* self);
ULONG STDMETHODCALLTYPE faceRelease(DualFace* self);
HRESULT STDMETHODCALLTYPE faceGetTypeInfoCount(DualFace* self, UINT* count);
HRESULT STDMETHODCALLTYPE faceGetTypeInfo(DualFace* self, UINT index, LCID lcid, ITypeInfo** out);
HRESULT STDMETHODCALLTYPE faceGetIDsOfNames(DualFace* self, REFIID iid, LPOLESTR* names, UINT count,
                                            LCID lcid, DISPID* ids);
HRESULT STDMETHODCALLTYPE faceInvoke(DualFace* self, DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argErr);

#define ZS_DISPATCH_ENTRIES                                     \
  reinterpret_cast<VtblEntry>(&faceQueryInterface),             \
      reinterpret_cast<VtblEntry>(&faceAddRef),                 \
      reinterpret_cast<VtblEntry>(&faceRelease),                \
      reinterpret_cast<VtblEntry>(&faceGetTypeInfoCount),       \
      reinterpret_cast<VtblEntry>(&faceGetTypeInfo),            \
      reinterpret_cast<VtblEntry>(&faceGetIDsOfNames),          \
      reinterpret_cast<VtblEntry>(&faceInvoke)

// The vtable of each exposed class's dual interface (generated).
struct DualVtable {
  std::string_view className;
  std::span<const VtblEntry> entries;
};
std::span<const DualVtable> dualVtables();

}  // namespace zs::server
