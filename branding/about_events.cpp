#include "branding/about_events.h"

#include "branding/about_layouts.h"

namespace zs::branding {
namespace {

constexpr unsigned kVkReturn = 0x0D, kVkEscape = 0x1B;

bool setColor(Window& w, std::string_view name, OleColor c) {
  OleColor& color = w.element(name).foreColor;
  if (color == c) return false;
  color = c;
  return true;
}

}  // namespace

const Element* elementAt(const Window& dialog, int x, int y) {
  for (const auto& e : dialog.elements) {
    if (e.kind == ElementKind::Band || e.kind == ElementKind::Line) continue;
    if (dialog.clientBox(e).contains(x, y)) return &e;
  }
  return nullptr;
}

bool pointerMoved(Window& w, int x, int y) {
  const Element* e = elementAt(w, x, y);
  bool changed = false;
  if (!e) {
    changed |= setColor(w, "Text1", 0);
    changed |= setColor(w, "Text2", 0);
    changed |= setColor(w, "lblMail", kLinkColor);
    changed |= setColor(w, "lblUrl", kLinkColor);
  } else if (e->name == "lblUrl" || e->name == "lblMail") {
    changed |= setColor(w, e->name, kHoverColor);
  } else if (e->name == "Text1" || e->name == "Text2") {
    const std::string other = e->name == "Text1" ? "Text2" : "Text1";
    changed |= setColor(w, e->name, kHoverColor);
    changed |= setColor(w, other, 0);
  }
  // Any other element keeps the colours as they are.
  return changed;
}

AboutAction clickAt(const Window& dialog, int x, int y) {
  const Element* e = elementAt(dialog, x, y);
  if (!e) return AboutAction::None;
  if (e->name == "cmdOK" || e->name == "Text1") return AboutAction::Close;
  if (e->name == "cmdSysInfo" || e->name == "Text2") return AboutAction::StartSysInfo;
  if (e->name == "lblUrl") return AboutAction::OpenWebsite;
  if (e->name == "lblMail") return AboutAction::OpenMail;
  return AboutAction::None;
}

AboutAction keyPressed(unsigned virtualKey) {
  return virtualKey == kVkReturn || virtualKey == kVkEscape ? AboutAction::Close : AboutAction::None;
}

std::string linkTarget(const Window& dialog, AboutAction action) {
  if (action == AboutAction::OpenWebsite) return dialog.element("lblUrl").text;
  if (action == AboutAction::OpenMail) return "mailto:" + dialog.element("lblMail").text;
  return {};
}

}  // namespace zs::branding
