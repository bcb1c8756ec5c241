// The logic of the branding controls' design pages, apart from any window:
// text boxes that edit text properties of the first selected control and a
// style box whose item position is the style, with the page's Changed flag
// reported to the host through its page site.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "core/object.h"
#include "core/variant.h"

namespace zs::branding {

// A selected control, reached by property name.
class PageControl {
 public:
  virtual ~PageControl() = default;
  virtual Variant get(std::string_view property) = 0;
  virtual void let(std::string_view property, Variant value) = 0;
};

// What the host offers a page: its selection and its Changed flag.
class PageSite {
 public:
  virtual ~PageSite() = default;
  virtual std::size_t selectedCount() = 0;
  virtual PageControl& selected(std::size_t index) = 0;
  virtual void setChanged(bool changed) = 0;
};

// A library object reached through its published interface, late-bound.
class DispatchPageControl final : public PageControl {
 public:
  explicit DispatchPageControl(ObjectPtr object) : object_(std::move(object)) {}
  Variant get(std::string_view property) override;
  void let(std::string_view property, Variant value) override;

 private:
  ObjectPtr object_;
};

// What distinguishes one design page from the other.
struct PageDesign {
  struct Box {
    std::string box;       // txtProductName
    std::string property;  // ProductName
  };
  std::string styleBox, styleProperty;
  std::vector<std::string> styleItems;
  std::vector<Box> texts;           // in the order of loading, applying and clearing
  std::size_t styleLoadPosition;    // the style is loaded and applied before texts[styleLoadPosition]
  bool writeOnlyDifferences;        // Apply writes only what differs from the control
};

class DesignPage {
 public:
  DesignPage(PageDesign design, PageSite& site);

  // The host's events.
  void selectionChanged();
  void applyChanges();
  // The Clear button: "" into each text property of the control, in order; the
  // boxes keep what they show and Changed stays as it is.
  void clear();

  // The user's edits: a text box, a pick from the style list, or text typed
  // into the style box (selecting the matching item, or none).
  void editText(const std::string& box, String text);
  void pickStyle(int position);
  void typeStyle(const std::string& text);

  const String& text(const std::string& box) const { return texts_.at(box); }
  int styleIndex() const { return styleIndex_; }
  bool changed() const { return changed_; }

 private:
  PageControl& first();
  void setChanged();
  void setText(const std::string& box, String text);
  // The style's item position, or -1 for a value that names no item.
  int positionOf(const Variant& style) const;

  PageDesign design_;
  PageSite& site_;
  std::map<std::string, String> texts_;
  int styleIndex_ = -1;
  bool changed_ = false;
};

}  // namespace zs::branding
