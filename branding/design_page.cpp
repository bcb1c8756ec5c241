#include "branding/design_page.h"

#include "core/dispatch.h"
#include "core/error.h"
#include "core/variant_ops.h"

namespace zs::branding {

Variant DispatchPageControl::get(std::string_view property) {
  std::vector<Argument> none;
  return invoke(*object_, property, CallKind::Get, none);
}

void DispatchPageControl::let(std::string_view property, Variant value) {
  std::vector<Argument> args{Argument::byValue(std::move(value))};
  invoke(*object_, property, CallKind::Let, args);
}

DesignPage::DesignPage(PageDesign design, PageSite& site) : design_(std::move(design)), site_(site) {
  for (const auto& b : design_.texts) texts_[b.box];
}

PageControl& DesignPage::first() {
  if (site_.selectedCount() == 0) throw Error(err::kSubscript);
  return site_.selected(0);
}

void DesignPage::setChanged() {
  changed_ = true;
  site_.setChanged(true);
}

// Filling a box notifies a change as an edit would, when the text differs.
void DesignPage::setText(const std::string& box, String text) {
  String& shown = texts_.at(box);
  if (shown == text) return;
  shown = std::move(text);
  setChanged();
}

int DesignPage::positionOf(const Variant& style) const {
  // Any Long is a legal style; one that names no item selects nothing.
  try {
    const Long value = toLong(style);
    return value >= 0 && static_cast<std::size_t>(value) < design_.styleItems.size() ? static_cast<int>(value) : -1;
  } catch (const Error&) {
    return -1;
  }
}

void DesignPage::selectionChanged() {
  PageControl& control = first();
  for (std::size_t i = 0; i <= design_.texts.size(); ++i) {
    if (i == design_.styleLoadPosition) styleIndex_ = positionOf(control.get(design_.styleProperty));
    if (i == design_.texts.size()) break;
    const auto& b = design_.texts[i];
    setText(b.box, toText(control.get(b.property)));
  }
}

void DesignPage::applyChanges() {
  PageControl& control = first();
  for (std::size_t i = 0; i <= design_.texts.size(); ++i) {
    if (i == design_.styleLoadPosition) {
      // With only differences written, a style that names no item and that
      // the user left alone stays as the control holds it.
      if (!design_.writeOnlyDifferences || positionOf(control.get(design_.styleProperty)) != styleIndex_)
        control.let(design_.styleProperty, Variant(static_cast<Integer>(styleIndex_)));
    }
    if (i == design_.texts.size()) break;
    const auto& b = design_.texts[i];
    const String& shown = texts_.at(b.box);
    if (design_.writeOnlyDifferences && toText(control.get(b.property)) == shown) continue;
    control.let(b.property, Variant(shown));
  }
}

void DesignPage::clear() {
  PageControl& control = first();
  for (const auto& b : design_.texts) control.let(b.property, Variant(String()));
}

void DesignPage::editText(const std::string& box, String text) {
  texts_.at(box) = std::move(text);
  setChanged();
}

void DesignPage::pickStyle(int position) {
  styleIndex_ = position >= 0 && static_cast<std::size_t>(position) < design_.styleItems.size() ? position : -1;
  // A pick from the list is a change like any edit, so Apply writes it.
  setChanged();
}

void DesignPage::typeStyle(const std::string& text) {
  styleIndex_ = -1;
  for (std::size_t i = 0; i < design_.styleItems.size(); ++i)
    if (design_.styleItems[i] == text) styleIndex_ = static_cast<int>(i);
  setChanged();
}

}  // namespace zs::branding
