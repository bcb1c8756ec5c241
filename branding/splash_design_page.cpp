#include "branding/splash_design_page.h"

namespace zs::branding {

PageDesign splashDesign() {
  return {"cboSplash",
          "SplashStyle",
          {"zvStandard", "zvSerated", "zvThe98Look", "zvThe2000Look", "zvZavrin"},
          {{"txtPlatform", "Platform"},
           {"txtCopyrightWarning", "CopyrightWarning"},
           {"txtCopyrightOwner", "CopyrightOwner"},
           {"txtCopyright", "Copyright"},
           {"txtProductVersion", "ProductVersion"},
           {"txtProductName", "ProductName"},
           {"txtCompanyName", "CompanyName"},
           {"txtLicenseTo", "LicenseTo"}},
          1,
          true};
}

}  // namespace zs::branding
