#include "branding/splash_screen.h"

#include "branding/picture.h"
#include "branding/saved_values.h"
#include "branding/velquorsoft.h"
#include "core/variant_ops.h"

namespace zs {

using namespace splash_defaults;
using branding::loadPicture;
using branding::readPicture;
using branding::readText;

SplashScreen::SplashScreen(std::shared_ptr<branding::SplashWindows> windows,
                           std::shared_ptr<branding::AboutPresenter> about)
    : windows_(std::move(windows)), about_(std::move(about)) {
  setDefaultTexts();
}

// Every value but the pictures, as a new control holds them.
void SplashScreen::setDefaultTexts() {
  licenseTo_ = kLicenseTo;
  companyName_ = kCompanyName;
  productName_ = kProductName;
  productVersion_ = kProductVersion;
  copyright_ = kCopyright;
  copyrightOwner_ = kCopyrightOwner;
  copyrightWarning_ = kCopyrightWarning;
  splashStyle_ = Integer{0};
  platform_ = kPlatform;
  productNameColor_ = 0;
}

void SplashScreen::LicenseTo(String value) {
  licenseTo_ = std::move(value);
  PropertyChanged(u"LicenseTo");
}

void SplashScreen::CompanyName(String value) {
  companyName_ = std::move(value);
  companyNameImage_ = loadPicture("");
  PropertyChanged(u"CompanyName");
}

void SplashScreen::CompanyNameImage(ObjectPtr value) {
  companyNameImage_ = std::move(value);
  companyName_.clear();
  PropertyChanged(u"CompanyNameImage");
}

void SplashScreen::ProductName(String value) {
  productName_ = std::move(value);
  productNameImage_ = loadPicture("");
  PropertyChanged(u"ProductName");
}

void SplashScreen::ProductNameImage(ObjectPtr value) {
  productNameImage_ = std::move(value);
  productName_.clear();
  PropertyChanged(u"ProductNameImage");
}

void SplashScreen::ProductLogo(ObjectPtr value) {
  productLogo_ = std::move(value);
  PropertyChanged(u"ProductLogo");
}

void SplashScreen::ProductVersion(String value) {
  productVersion_ = std::move(value);
  PropertyChanged(u"ProductVersion");
}

void SplashScreen::Copyright(String value) {
  copyright_ = std::move(value);
  PropertyChanged(u"Copyright");
}

void SplashScreen::CopyrightOwner(String value) {
  copyrightOwner_ = std::move(value);
  PropertyChanged(u"CopyrightOwner");
}

void SplashScreen::CopyrightWarning(String value) {
  copyrightWarning_ = std::move(value);
  PropertyChanged(u"CopyrightWarning");
}

Long SplashScreen::SplashStyle() const { return toLong(splashStyle_); }

void SplashScreen::SplashStyle(Long value) {
  splashStyle_ = value;
  PropertyChanged(u"SplashStyle");
}

void SplashScreen::Platform(String value) {
  platform_ = std::move(value);
  PropertyChanged(u"Platform");
}

void SplashScreen::ProductNameColor(OleColor value) {
  productNameColor_ = value;
  PropertyChanged(u"ProductNameColor");
}

branding::SplashWindows& SplashScreen::windows() {
  if (!windows_) windows_ = branding::threadSplashWindows();
  return *windows_;
}

int SplashScreen::styleIndex() const {
  const auto style = static_cast<std::uint32_t>(SplashStyle());
  return style > 4u ? -1 : static_cast<int>(style);
}

Variant SplashScreen::ShowSplash() {
  const int style = styleIndex();
  if (style < 0) return Variant();
  branding::SplashValues values{LicenseTo(),         CompanyName(),      CompanyNameImage(),
                                ProductName(),       ProductNameColor(), ProductNameImage(),
                                ProductLogo(),       Platform(),         ProductVersion(),
                                Copyright(),         CopyrightOwner(),   CopyrightWarning()};
  auto& w = windows();
  branding::fillSplash(w.load(style), style, values, w.measurer());
  w.show(style);
  return Variant();
}

Variant SplashScreen::HideSplash() {
  const int style = styleIndex();
  if (style >= 0) windows().hide(style);
  return Variant();
}

void SplashScreen::About() { showSuiteAbout(about_.get()); }

void SplashScreen::InitProperties() {
  setDefaultTexts();
  companyNameImage_ = loadPicture("");
  productNameImage_ = loadPicture("");
  productLogo_ = loadPicture("");
}

void SplashScreen::ReadProperties(PropertyBag& bag) {
  licenseTo_ = readText(bag, u"LicenseTo", kLicenseTo);
  companyName_ = readText(bag, u"CompanyName", kCompanyName);
  companyNameImage_ = readPicture(bag, u"CompanyNameImage");
  productName_ = readText(bag, u"ProductName", kProductName);
  productNameImage_ = readPicture(bag, u"ProductNameImage");
  productLogo_ = readPicture(bag, u"ProductLogo");
  productVersion_ = readText(bag, u"ProductVersion", kProductVersion);
  copyright_ = readText(bag, u"Copyright", kCopyright);
  copyrightOwner_ = readText(bag, u"CopyrightOwner", kCopyrightOwner);
  copyrightWarning_ = readText(bag, u"CopyrightWarning", kCopyrightWarning);
  splashStyle_ = bag.ReadProperty(u"SplashStyle", Integer{0});
  platform_ = readText(bag, u"Platform", kPlatform);
  productNameColor_ = static_cast<OleColor>(toLong(bag.ReadProperty(u"ProductNameColor", Integer{0})));
}

void SplashScreen::WriteProperties(PropertyBag& bag) {
  bag.WriteProperty(u"LicenseTo", licenseTo_, kLicenseTo);
  bag.WriteProperty(u"CompanyName", companyName_, kCompanyName);
  bag.WriteProperty(u"CompanyNameImage", companyNameImage_, Variant::nothing());
  bag.WriteProperty(u"ProductName", productName_, kProductName);
  bag.WriteProperty(u"ProductNameImage", productNameImage_, Variant::nothing());
  bag.WriteProperty(u"ProductLogo", productLogo_, Variant::nothing());
  bag.WriteProperty(u"ProductVersion", productVersion_, kProductVersion);
  bag.WriteProperty(u"Copyright", copyright_, kCopyright);
  bag.WriteProperty(u"CopyrightOwner", copyrightOwner_, kCopyrightOwner);
  bag.WriteProperty(u"CopyrightWarning", copyrightWarning_, kCopyrightWarning);
  bag.WriteProperty(u"SplashStyle", splashStyle_, Integer{0});
  bag.WriteProperty(u"Platform", platform_, kPlatform);
  bag.WriteProperty(u"ProductNameColor", static_cast<Long>(productNameColor_), Integer{0});
}

}  // namespace zs
