#include "branding/about_design_page.h"

namespace zs::branding {

PageDesign aboutDesign() {
  return {"cboAbout",
          "AboutStyle",
          {"zvAboutStandard", "zvAbout2000"},
          {{"txtProductVersion", "ProductVersion"},
           {"txtProductName", "ProductName"},
           {"txtProductDescription", "ProductDescription"},
           {"txtCopyrightWarning", "CopyrightWarning"},
           {"txtCopyright", "Copyright"},
           {"txtMailto", "Mailto"},
           {"txtWebsiteUrl", "WebsiteUrl"}},
          7,
          false};
}

}  // namespace zs::branding
