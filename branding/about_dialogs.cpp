#include "branding/about_dialogs.h"

#include "branding/about_events.h"
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

void AboutDialogs::handle(const WindowEvent& event) {
  const int style = event.slot - kAboutSlotBase;
  if (style < 0 || style >= kAboutStyles || !open(style)) return;
  Window& w = dialog(style);
  AboutAction action = AboutAction::None;
  switch (event.type) {
    case WindowEvent::Type::PointerMove:
      if (pointerMoved(w, event.x, event.y)) refresh(style);
      return;
    case WindowEvent::Type::Click: action = clickAt(w, event.x, event.y); break;
    case WindowEvent::Type::Key: action = keyPressed(event.key); break;
    case WindowEvent::Type::CloseBox: action = AboutAction::Close; break;
  }
  if (action != AboutAction::None && !actions_) actions_ = systemAboutActions();
  switch (action) {
    case AboutAction::None: break;
    case AboutAction::Close: close(style); break;
    case AboutAction::OpenWebsite:
    case AboutAction::OpenMail: actions_->openLink(linkTarget(w, action)); break;
    case AboutAction::StartSysInfo: actions_->startSysInfo(); break;
  }
}

std::size_t AboutDialogs::pump() {
  // Handling an event talks to the display (a repaint), and the connection
  // may then read further events into its own queue, where the host's poll
  // of the descriptor cannot see them: take events until none is left.
  std::size_t handled = 0;
  for (auto events = presenter_->takeEvents(); !events.empty(); events = presenter_->takeEvents()) {
    for (const auto& e : events) handle(e);
    handled += events.size();
  }
  return handled;
}

}  // namespace zs::branding
