// The life cycle of a control on a form, as a container drives it: created
// (Initialize), told where to report property changes, then either
// InitProperties (newly placed) or ReadProperties (loaded with its form);
// WriteProperties whenever the form is saved; Terminate at the last release.
#pragma once

#include <memory>

#include "core/property_bag.h"
#include "frame/catalogue.h"

namespace zs {

// Starts a control that exists already: wires `sink` (may be null), then
// InitProperties when `saved` is null, else ReadProperties from it.
void startControl(Control& control, std::shared_ptr<ChangeSink> sink, PropertyBag* saved);

// Creates a control of class `cls` and starts it. Raises 429 for a class that
// is not a built control.
std::shared_ptr<Control> placeControl(const ClassInfo& cls, std::shared_ptr<ChangeSink> sink,
                                      PropertyBag* saved = nullptr);

}  // namespace zs
