// ZSScreenModes in the catalogue: the three current-mode methods, ChangeDisplay
// and ZSScreenModesConstants.
#include "frame/bindings.h"
#include "sysinfo/member_helpers.h"
#include "sysinfo/screen_modes.h"

namespace zs {
namespace {

using sysinfo::method;

template <auto Fn>
constexpr Invoker call = sysinfo::noArguments<ScreenModes, Fn>;

constexpr TypeRef kSize = t::enumOf("ZSScreenModesConstants");

const MemberTable& members() {
  static const MemberTable table = std::vector<Member>{
      method("ColorBits", 0x00, t::Long, call<&ScreenModes::ColorBits>),
      method("ScreenHeight", 0x01, t::Integer, call<&ScreenModes::ScreenHeight>),
      method("ScreenWidth", 0x02, t::Integer, call<&ScreenModes::ScreenWidth>),
      method("ChangeDisplay", 0x04, kSize,
             [](Object& o, std::span<Variant> a) {
               return Variant(static_cast<ScreenModes&>(o).ChangeDisplay(a[0].lng(), a[1].lng()));
             },
             {ref("ScreenSize", kSize), optionalRef("ScreenBits", t::Long)}),
  };
  return table;
}

std::span<const EnumInfo> enums() {
  static const std::vector<EnumInfo> table = {
      {"ZSScreenModesConstants",
       {{"zv640x480", zv640x480},
        {"zv800x600", zv800x600},
        {"zv1024x768", zv1024x768},
        {"zv1280x1024", zv1280x1024},
        {"zv1600x1200", zv1600x1200}}},
  };
  return table;
}

}  // namespace

const ClassBinding bindings::ZSScreenModes{members, [] { return ObjectPtr(create<ScreenModes>()); },
                                           enums};

const ClassInfo* ScreenModes::classInfo() const { return &zs::classInfo(ClassId::ZSScreenModes); }

}  // namespace zs
