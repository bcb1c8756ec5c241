// ZSSplashScreen: the properties of a product's splash window, saved with the
// host's form, and the members that show and hide it.
#pragma once

#include <memory>

#include "branding/splash_windows.h"
#include "branding/suite_about.h"
#include "core/class_info.h"
#include "core/property_bag.h"

namespace zs {

// Defaults of the saved properties (the same for InitProperties and both
// property-bag directions).
namespace splash_defaults {
inline constexpr StringView kLicenseTo = u"Valued Customer";
inline constexpr StringView kCompanyName = u"Your Company";
inline constexpr StringView kProductName = u"Your Product";
inline constexpr StringView kProductVersion = u"Version 1.0 Build 0";
inline constexpr StringView kCopyright = u"Copyright (C)";
inline constexpr StringView kCopyrightOwner = u"Your Company";
inline constexpr StringView kCopyrightWarning =
    u"Warning: this program is protected by copyright law and international treaties. "
    u"Unauthorised copying or distribution of this program, or of any part of it, may "
    u"result in civil and criminal penalties.";
inline constexpr StringView kPlatform = u"For Windows 95, 98, NT, 2000 and XP";
}  // namespace splash_defaults

class SplashScreen : public Control {
 public:
  // Null windows or about: the calling thread's own. A control that no
  // container starts (created by a script or `zavrin call`) holds the default
  // texts, style and colour and no pictures until InitProperties or
  // ReadProperties.
  explicit SplashScreen(std::shared_ptr<branding::SplashWindows> windows = nullptr,
                        std::shared_ptr<branding::AboutPresenter> about = nullptr);

  String LicenseTo() const { return licenseTo_; }
  void LicenseTo(String value);
  String CompanyName() const { return companyName_; }
  void CompanyName(String value);
  ObjectPtr CompanyNameImage() const { return companyNameImage_; }
  void CompanyNameImage(ObjectPtr value);
  String ProductName() const { return productName_; }
  void ProductName(String value);
  ObjectPtr ProductNameImage() const { return productNameImage_; }
  void ProductNameImage(ObjectPtr value);
  ObjectPtr ProductLogo() const { return productLogo_; }
  void ProductLogo(ObjectPtr value);
  String ProductVersion() const { return productVersion_; }
  void ProductVersion(String value);
  String Copyright() const { return copyright_; }
  void Copyright(String value);
  String CopyrightOwner() const { return copyrightOwner_; }
  void CopyrightOwner(String value);
  String CopyrightWarning() const { return copyrightWarning_; }
  void CopyrightWarning(String value);
  // The stored value as a 32-bit integer: 13 for a non-number, 94 for Null.
  Long SplashStyle() const;
  void SplashStyle(Long value);
  String Platform() const { return platform_; }
  void Platform(String value);
  OleColor ProductNameColor() const { return productNameColor_; }
  void ProductNameColor(OleColor value);

  // Fill and show, or hide, the window of the current style; both do nothing
  // for a style outside 0 to 4 and always return Empty.
  Variant ShowSplash();
  Variant HideSplash();
  void About();

  void InitProperties() override;
  void ReadProperties(PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  const ClassInfo* classInfo() const override;

 private:
  branding::SplashWindows& windows();
  // The style as a window index, or -1 for a value outside 0 to 4.
  int styleIndex() const;

  std::shared_ptr<branding::SplashWindows> windows_;
  std::shared_ptr<branding::AboutPresenter> about_;

  void setDefaultTexts();

  String licenseTo_, companyName_;
  ObjectPtr companyNameImage_;
  String productName_;
  ObjectPtr productNameImage_, productLogo_;
  String productVersion_, copyright_, copyrightOwner_, copyrightWarning_;
  Variant splashStyle_ = Integer{0};
  String platform_;
  OleColor productNameColor_ = 0;
};

}  // namespace zs
