#include "frame/control_site.h"

#include <string>

#include "core/error.h"
#include "frame/factory.h"

namespace zs {

void startControl(Control& control, std::shared_ptr<ChangeSink> sink, PropertyBag* saved) {
  control.setChangeSink(std::move(sink));
  if (saved)
    control.ReadProperties(*saved);
  else
    control.InitProperties();
}

std::shared_ptr<Control> placeControl(const ClassInfo& cls, std::shared_ptr<ChangeSink> sink,
                                      PropertyBag* saved) {
  auto control = cls.kind == ClassKind::Control
                     ? std::dynamic_pointer_cast<Control>(createObject(cls))
                     : nullptr;
  if (!control)
    throw Error(err::kClassNotAvailable, "Class " + std::string(cls.name) + " is not a control");
  startControl(*control, std::move(sink), saved);
  return control;
}

}  // namespace zs
