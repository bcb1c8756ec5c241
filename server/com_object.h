// The COM object of a library object. There is at most one per core object at
// a time, so the same core object handed out twice is the same COM pointer.
// Its IUnknown, IDispatch and dual-interface pointer is one and the same (the
// DualFace); it also answers ISupportErrorInfo and IProvideClassInfo, and a
// control the container interfaces of its ControlProtocol.
// Enumerators have a COM class of their own (enum_variant.h).
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <atomic>
#include <memory>
#include <optional>
#include <span>

#include "frame/catalogue.h"
#include "core/error.h"
#include "core/dispatch.h"
#include "server/control_protocol.h"
#include "server/core_object.h"
#include "server/dual_call.h"

namespace zs::server {

class ComObject final : public ISupportErrorInfo, public IProvideClassInfo, public CoreObject {
 public:
  // The COM object of `core` (one reference for the caller).
  static IDispatch* wrap(const ObjectPtr& core);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, reached through the DualFace
  HRESULT getTypeInfoCount(UINT* count);
  HRESULT getTypeInfo(UINT index, ITypeInfo** out);
  HRESULT getIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
  HRESULT invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                 UINT* argErr);
  HRESULT callFromVtable(DISPID id, CallKind kind, std::span<const RawArg> args, RawResult result);

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
  // IProvideClassInfo
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  // CoreObject
  ObjectPtr core() override { return core_; }

  // Sets the error information of `e` for the caller; the code to return.
  HRESULT report(const Error& e) { return fail(e, nullptr); }

  ComObject(ObjectPtr core, const ClassInfo& cls, const VtblEntry* vtbl);
  ~ComObject();
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 private:
  IDispatch* face() { return reinterpret_cast<IDispatch*>(&face_); }
  HRESULT fail(const Error& e, EXCEPINFO* excepInfo);
  // Runs a member call; a property assignment of a control is followed by
  // its change notification.
  template <class Fn>
  std::optional<Error> run(DISPID id, CallKind kind, Fn&& call);

  DualFace face_;
  ObjectPtr core_;
  const ClassInfo& cls_;
  std::atomic<ULONG> refs_{0};
  std::unique_ptr<ControlProtocol> control_;  // controls only
};

}  // namespace zs::server
