// The automation view of the catalogue: for every built class, the functions of
// its dual interface in vtable order. A property or field member becomes one
// function per access (propget, propput, propputref), the way type libraries
// describe them. The IDL writer, the vtable stub writer and the catalogue dump
// all read this one model, so they cannot disagree.
#pragma once

#include <string>
#include <vector>

#include "frame/catalogue.h"
#include "core/dispatch.h"

namespace zs::idl {

enum class Access : std::uint8_t { Func, PropGet, PropPut, PropPutRef };
std::string_view accessName(Access access);

struct Slot {
  std::string name;
  DispId dispid = 0;
  Access access = Access::Func;
  CallKind callKind = CallKind::Method;  // how the server invokes the member
  std::vector<Param> params;            // the new value of a put is the last one
  TypeRef result = t::Void;         // Void: no [out,retval]
  bool hidden = false;
};

struct InterfaceModel {
  const ClassInfo* cls = nullptr;
  std::vector<Slot> slots;
};

InterfaceModel interfaceOf(const ClassInfo& cls);

// True when values of this type travel as objects (IDispatch, IUnknown, Picture).
bool isObjectType(TypeRef type);

}  // namespace zs::idl
