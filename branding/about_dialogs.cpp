#include "branding/about_dialogs.h"

#include "core/error.h"

namespace zs::branding {

Window& AboutDialogs::show(int style) {
  auto& slot = dialogs_.at(static_cast<std::size_t>(style));
  if (!slot) slot = designedAbout(style, *measurer_);
  presenter_->show(kAboutSlotBase + style, *slot);
  return *slot;
}

void AboutDialogs::refresh(int style) { presenter_->show(kAboutSlotBase + style, dialog(style)); }

void AboutDialogs::close(int style) {
  auto& slot = dialogs_.at(static_cast<std::size_t>(style));
  if (!slot) return;
  presenter_->hide(kAboutSlotBase + style);
  slot.reset();
}

Window& AboutDialogs::dialog(int style) {
  auto& slot = dialogs_.at(static_cast<std::size_t>(style));
  if (!slot) throw Error(5, "The about dialog of style " + std::to_string(style) + " is not open");
  return *slot;
}

}  // namespace zs::branding
