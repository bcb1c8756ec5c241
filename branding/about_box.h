// ZSAboutBox: the properties of a product's about dialog, saved with the
// host's form, and ShowAbout, which opens the dialog of the chosen style
// modeless and fills it.
#pragma once

#include <memory>

#include "branding/about_dialogs.h"
#include "branding/suite_about.h"
#include "core/class_info.h"
#include "core/property_bag.h"

namespace zs {

// Defaults of the saved properties (the same for InitProperties and both
// property-bag directions). The four values of the suite's maker are the
// maker's own notice, description, web host and support address.
namespace about_defaults {
inline constexpr StringView kCopyright = u"Copyright (C) 2026 Velquorsoft. All rights reserved.";
inline constexpr StringView kProductDescription =
    u"Zavrin Studio Suite is a library of automation components for programs and scripts.";
inline constexpr StringView kProductName = u"ZavrinAboutBox";
inline constexpr StringView kProductVersion = u"Version 1.22";
inline constexpr StringView kWebsiteUrl = u"www.velquorsoft.com";
inline constexpr StringView kMailto = u"support@velquorsoft.com";
}  // namespace about_defaults

class AboutBox : public Control {
 public:
  // Null dialogs or about: the calling thread's own. A control that no
  // container starts holds the defaults, its own picture as logo included.
  explicit AboutBox(std::shared_ptr<branding::AboutDialogs> dialogs = nullptr,
                    std::shared_ptr<branding::AboutPresenter> about = nullptr);

  Long AboutStyle() const { return aboutStyle_; }
  void AboutStyle(Long value);
  String WebsiteUrl() const { return websiteUrl_; }
  void WebsiteUrl(String value);
  String Mailto() const { return mailto_; }
  void Mailto(String value);
  String Copyright() const { return copyright_; }
  void Copyright(String value);
  String CopyrightWarning() const { return copyrightWarning_; }
  void CopyrightWarning(String value);
  String ProductDescription() const { return productDescription_; }
  void ProductDescription(String value);
  ObjectPtr ProductLogo() const { return productLogo_; }
  void ProductLogo(ObjectPtr value);
  String ProductName() const { return productName_; }
  void ProductName(String value);
  String ProductVersion() const { return productVersion_; }
  void ProductVersion(String value);
  OleColor ProductNameColor() const { return productNameColor_; }
  void ProductNameColor(OleColor value);
  OleColor CopyrightColor() const { return copyrightColor_; }
  void CopyrightColor(OleColor value);
  OleColor CopyrightWarningColor() const { return copyrightWarningColor_; }
  void CopyrightWarningColor(OleColor value);
  OleColor ProductDescriptionColor() const { return productDescriptionColor_; }
  void ProductDescriptionColor(OleColor value);
  OleColor ProductVersionColor() const { return productVersionColor_; }
  void ProductVersionColor(OleColor value);

  // Opens the dialog of the current style modeless and fills it; does nothing
  // for a style other than 0 and 1.
  void ShowAbout();
  void About();

  void InitProperties() override;
  void ReadProperties(PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  const ClassInfo* classInfo() const override;

 private:
  branding::AboutDialogs& dialogs();
  void setDefaults();

  std::shared_ptr<branding::AboutDialogs> dialogs_;
  std::shared_ptr<branding::AboutPresenter> about_;

  Long aboutStyle_ = 0;
  String copyright_, copyrightWarning_, productDescription_;
  ObjectPtr productLogo_;
  String productName_, productVersion_;
  OleColor productNameColor_ = 0, copyrightColor_ = 0, copyrightWarningColor_ = 0,
           productDescriptionColor_ = 0, productVersionColor_ = 0;
  String websiteUrl_, mailto_;
};

namespace branding {
// The control's own picture: its design icon, 48 by 48 pixels; a new
// picture object on every call.
PicturePtr aboutBoxPicture();
}  // namespace branding

}  // namespace zs
