// A branding control started against recording doubles: `windows` is the
// window set the control drives (its dialogs or splash windows), drawn
// through the recording presenter with the fake text measurer.
#pragma once

#include <memory>

#include "branding/testing/fake_measurer.h"
#include "branding/testing/recorders.h"
#include "core/object.h"
#include "frame/control_site.h"

namespace zs::branding::testing {

template <class Control, class Windows>
struct ControlFixture {
  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  std::shared_ptr<RecordingPresenter> presenter = std::make_shared<RecordingPresenter>();
  std::shared_ptr<Windows> windows = std::make_shared<Windows>(std::make_shared<FakeMeasurer>(), presenter);
  std::shared_ptr<Control> control = create<Control>(windows);

  explicit ControlFixture(PropertyBag* saved = nullptr) { startControl(*control, sink, saved); }
};

}  // namespace zs::branding::testing
