// ppageSplashScreenDesign's logic: the texts and the style of a
// ZSSplashScreen.
#pragma once

#include "branding/design_page.h"

namespace zs::branding {

// Platform first, then the style, then the other seven texts. Apply writes
// only the properties whose box differs from the control: writing CompanyName
// or ProductName empties its image, so an unchanged text must not be written.
PageDesign splashDesign();

class SplashDesignPage final : public DesignPage {
 public:
  explicit SplashDesignPage(PageSite& site) : DesignPage(splashDesign(), site) {}
};

}  // namespace zs::branding
