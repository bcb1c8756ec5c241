// ppageAboutBoxDesign's logic: the texts and the style of a ZSAboutBox.
#pragma once

#include "branding/design_page.h"

namespace zs::branding {

// The seven texts load and apply first, the style last; Apply writes every
// property (none of them touches another).
PageDesign aboutDesign();

class AboutDesignPage final : public DesignPage {
 public:
  explicit AboutDesignPage(PageSite& site) : DesignPage(aboutDesign(), site) {}
};

}  // namespace zs::branding
