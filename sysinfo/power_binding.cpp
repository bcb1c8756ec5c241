// ZSPower in the catalogue: two actions, eleven snapshot tests and three
// policy questions, none with arguments.
#include "frame/bindings.h"
#include "sysinfo/member_helpers.h"
#include "sysinfo/power.h"

namespace zs {
namespace {

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<Power, Fn>;

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      method("Hibernate", 0x00, t::Void, call<&Power::Hibernate>),
      method("Suspend", 0x01, t::Void, call<&Power::Suspend>),
      method("DiskSpinDown", 0x02, t::Boolean, call<&Power::DiskSpinDown>),
      method("ThermalControl", 0x03, t::Boolean, call<&Power::ThermalControl>),
      method("WakeSupport", 0x04, t::Boolean, call<&Power::WakeSupport>),
      method("HiberFilePresent", 0x05, t::Boolean, call<&Power::HiberFilePresent>),
      method("SleepButtonPresent", 0x06, t::Boolean, call<&Power::SleepButtonPresent>),
      method("PowerButtonPresent", 0x07, t::Boolean, call<&Power::PowerButtonPresent>),
      method("ACPowerExists", 0x08, t::Boolean, call<&Power::ACPowerExists>),
      method("BatteryIsLow", 0x09, t::Boolean, call<&Power::BatteryIsLow>),
      method("BatteryIsFull", 0x0A, t::Boolean, call<&Power::BatteryIsFull>),
      method("BatteryIsCharging", 0x0B, t::Boolean, call<&Power::BatteryIsCharging>),
      method("BatteryIsCritical", 0x0C, t::Boolean, call<&Power::BatteryIsCritical>),
      method("IsPowerHibernateAllowed", 0x0D, t::Boolean, call<&Power::IsPowerHibernateAllowed>),
      method("IsPowerSuspendAllowed", 0x0E, t::Boolean, call<&Power::IsPowerSuspendAllowed>),
      method("IsPowerShutdownAllowed", 0x0F, t::Boolean, call<&Power::IsPowerShutdownAllowed>),
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSPower{members, [] { return ObjectPtr(create<Power>()); }};

const ClassInfo* Power::classInfo() const { return &zs::classInfo(ClassId::ZSPower); }

}  // namespace zs
