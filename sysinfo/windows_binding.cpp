// ZSWindows in the catalogue: five session methods and ten identity methods,
// none with arguments.
#include "frame/bindings.h"
#include "sysinfo/member_helpers.h"
#include "sysinfo/windows.h"

namespace zs {
namespace {

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<Windows, Fn>;

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      method("ReBoot", 0x00, t::Void, call<&Windows::ReBoot>),
      method("ShutDown", 0x01, t::Void, call<&Windows::ShutDown>),
      method("PowerOff", 0x02, t::Void, call<&Windows::PowerOff>),
      method("LogOff", 0x03, t::Void, call<&Windows::LogOff>),
      method("Force", 0x04, t::Void, call<&Windows::Force>),
      method("LicensingInfo", 0x05, t::String, call<&Windows::LicensingInfo>),
      method("RegisteredOwner", 0x06, t::String, call<&Windows::RegisteredOwner>),
      method("RegisteredOrganization", 0x07, t::String, call<&Windows::RegisteredOrganization>),
      method("ProductType", 0x08, t::String, call<&Windows::ProductType>),
      method("ProductKey", 0x09, t::String, call<&Windows::ProductKey>),
      method("ProductName", 0x0A, t::String, call<&Windows::ProductName>),
      method("ProductId", 0x0B, t::String, call<&Windows::ProductId>),
      method("PlusVersionNumber", 0x0C, t::String, call<&Windows::PlusVersionNumber>),
      method("UserName", 0x0D, t::String, call<&Windows::UserName>),
      method("ComputerName", 0x0E, t::String, call<&Windows::ComputerName>),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSWindows{members, [] { return ObjectPtr(create<Windows>()); }};

const ClassInfo* Windows::classInfo() const { return &zs::classInfo(ClassId::ZSWindows); }

}  // namespace zs
