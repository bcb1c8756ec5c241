#include "server/idlgen/interface_model.h"

namespace zs::idl {

std::string_view accessName(Access access) {
  switch (access) {
    case Access::Func: return "func";
    case Access::PropGet: return "propget";
    case Access::PropPut: return "propput";
    case Access::PropPutRef: return "propputref";
  }
  return "";
}

bool isObjectType(TypeRef type) {
  return type.type == Type::Object || type.type == Type::Unknown || type.type == Type::Picture;
}

InterfaceModel interfaceOf(const ClassInfo& cls) {
  InterfaceModel model{&cls, {}};
  for (const Member& m : cls.members()) {
    Slot s{std::string(m.name), m.dispid, Access::Func, CallKind::Method, m.params, m.result,
           m.hidden};
    switch (m.kind) {
      case MemberKind::Method:
        model.slots.push_back(std::move(s));
        break;
      case MemberKind::Get:
        s.access = Access::PropGet;
        s.callKind = CallKind::Get;
        model.slots.push_back(std::move(s));
        break;
      case MemberKind::Let:
      case MemberKind::Set:
        s.access = m.kind == MemberKind::Let ? Access::PropPut : Access::PropPutRef;
        s.callKind = m.kind == MemberKind::Let ? CallKind::Let : CallKind::Set;
        s.result = t::Void;
        model.slots.push_back(std::move(s));
        break;
      case MemberKind::Field: {
        // A public field reads and writes by value; a Variant or object field
        // is also assignable by reference.
        Slot get = s;
        get.access = Access::PropGet;
        get.callKind = CallKind::Get;
        get.params.clear();
        model.slots.push_back(get);
        Slot put = s;
        put.access = Access::PropPut;
        put.callKind = CallKind::Let;
        put.params = {in("RHS", m.result)};
        put.result = t::Void;
        model.slots.push_back(put);
        if (m.result.type == Type::Variant || isObjectType(m.result)) {
          put.access = Access::PropPutRef;
          put.callKind = CallKind::Set;
          model.slots.push_back(put);
        }
        break;
      }
    }
  }
  return model;
}

}  // namespace zs::idl
