// ZSMemory in the catalogue: twelve methods without arguments returning Longs.
#include "frame/bindings.h"
#include "sysinfo/member_helpers.h"
#include "sysinfo/memory.h"

namespace zs {
namespace {

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<Memory, Fn>;

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      method("AvailablePageFile", 0x00, t::Long, call<&Memory::AvailablePageFile>),
      method("AvailablePhysical", 0x01, t::Long, call<&Memory::AvailablePhysical>),
      method("AvailableVirtual", 0x02, t::Long, call<&Memory::AvailableVirtual>),
      method("Length", 0x03, t::Long, call<&Memory::Length>),
      method("MemoryLoad", 0x04, t::Long, call<&Memory::MemoryLoad>),
      method("TotalPageFile", 0x05, t::Long, call<&Memory::TotalPageFile>),
      method("TotalPhysical", 0x06, t::Long, call<&Memory::TotalPhysical>),
      method("TotalVirtual", 0x07, t::Long, call<&Memory::TotalVirtual>),
      method("MaximumApplicationAddress", 0x08, t::Long,
             call<&Memory::MaximumApplicationAddress>),
      method("MinimumApplicationAddress", 0x09, t::Long,
             call<&Memory::MinimumApplicationAddress>),
      method("AllocationGranularity", 0x0A, t::Long, call<&Memory::AllocationGranularity>),
      method("PageSize", 0x0B, t::Long, call<&Memory::PageSize>),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSMemory{members, [] { return ObjectPtr(create<Memory>()); }};

const ClassInfo* Memory::classInfo() const { return &zs::classInfo(ClassId::ZSMemory); }

}  // namespace zs
