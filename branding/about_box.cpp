#include "branding/about_box.h"

#include "branding/picture.h"
#include "branding/saved_values.h"
#include "branding/splash_screen.h"
#include "branding/velquorsoft.h"
#include "core/variant_ops.h"

namespace zs {

using namespace about_defaults;
using splash_defaults::kCopyrightWarning;
using branding::readText;

namespace {

OleColor readColor(PropertyBag& bag, StringView key) {
  return static_cast<OleColor>(toLong(bag.ReadProperty(key, Long{0})));
}

// The logo read from a bag: the control's own picture when the bag has none.
ObjectPtr readLogo(PropertyBag& bag) {
  return branding::readPicture(bag, u"ProductLogo", Variant(ObjectPtr(branding::aboutBoxPicture())));
}

}  // namespace

AboutBox::AboutBox(std::shared_ptr<branding::AboutDialogs> dialogs,
                   std::shared_ptr<branding::AboutPresenter> about)
    : dialogs_(std::move(dialogs)), about_(std::move(about)) {
  setDefaults();
}

// The values of InitProperties, in its order.
void AboutBox::setDefaults() {
  aboutStyle_ = branding::zvAboutStandard;
  copyright_ = kCopyright;
  copyrightWarning_ = kCopyrightWarning;
  productDescription_ = kProductDescription;
  productLogo_ = branding::aboutBoxPicture();
  productName_ = kProductName;
  productVersion_ = kProductVersion;
  productNameColor_ = copyrightColor_ = copyrightWarningColor_ = 0;
  productDescriptionColor_ = productVersionColor_ = 0;
  websiteUrl_ = kWebsiteUrl;
  mailto_ = kMailto;
}

#define ZS_ABOUT_SETTER(Name, Type, field) \
  void AboutBox::Name(Type value) {        \
    field = std::move(value);              \
    PropertyChanged(u## #Name);            \
  }
ZS_ABOUT_SETTER(AboutStyle, Long, aboutStyle_)
ZS_ABOUT_SETTER(WebsiteUrl, String, websiteUrl_)
ZS_ABOUT_SETTER(Mailto, String, mailto_)
ZS_ABOUT_SETTER(Copyright, String, copyright_)
ZS_ABOUT_SETTER(CopyrightWarning, String, copyrightWarning_)
ZS_ABOUT_SETTER(ProductDescription, String, productDescription_)
ZS_ABOUT_SETTER(ProductLogo, ObjectPtr, productLogo_)
ZS_ABOUT_SETTER(ProductName, String, productName_)
ZS_ABOUT_SETTER(ProductVersion, String, productVersion_)
ZS_ABOUT_SETTER(ProductNameColor, OleColor, productNameColor_)
ZS_ABOUT_SETTER(CopyrightColor, OleColor, copyrightColor_)
ZS_ABOUT_SETTER(CopyrightWarningColor, OleColor, copyrightWarningColor_)
ZS_ABOUT_SETTER(ProductDescriptionColor, OleColor, productDescriptionColor_)
ZS_ABOUT_SETTER(ProductVersionColor, OleColor, productVersionColor_)
#undef ZS_ABOUT_SETTER

branding::AboutDialogs& AboutBox::dialogs() {
  if (!dialogs_) dialogs_ = branding::threadAboutDialogs();
  return *dialogs_;
}

void AboutBox::ShowAbout() {
  // The style is read once for the standard dialog and again for the other.
  int style;
  if (AboutStyle() == branding::zvAboutStandard) {
    style = 0;
  } else if (AboutStyle() == branding::zvAbout2000) {
    style = 1;
  } else {
    return;
  }
  auto& d = dialogs();
  branding::Window& dialog = d.show(style);
  // Each value is read through its getter just before use, in the fill's order.
  branding::AboutValues v;
  v.productName = ProductName();
  v.productNameColor = ProductNameColor();
  v.productVersion = ProductVersion();
  v.productVersionColor = ProductVersionColor();
  v.mailto = Mailto();
  v.websiteUrl = WebsiteUrl();
  v.copyright = Copyright();
  v.copyrightColor = CopyrightColor();
  v.productDescription = ProductDescription();
  v.productDescriptionColor = ProductDescriptionColor();
  v.copyrightWarning = CopyrightWarning();
  v.copyrightWarningColor = CopyrightWarningColor();
  v.productLogo = ProductLogo();
  try {
    branding::fillAbout(dialog, v, d.measurer());
  } catch (...) {
    // The dialog stays open with what was filled before the failure.
    d.refresh(style);
    throw;
  }
  d.refresh(style);
}

void AboutBox::About() { showSuiteAbout(about_.get()); }

void AboutBox::InitProperties() { setDefaults(); }

void AboutBox::ReadProperties(PropertyBag& bag) {
  aboutStyle_ = toLong(bag.ReadProperty(u"AboutStyle", Integer{0}));
  copyright_ = readText(bag, u"Copyright", kCopyright);
  copyrightWarning_ = readText(bag, u"CopyrightWarning", kCopyrightWarning);
  productDescription_ = readText(bag, u"ProductDescription", kProductDescription);
  productLogo_ = readLogo(bag);
  productName_ = readText(bag, u"ProductName", kProductName);
  productVersion_ = readText(bag, u"ProductVersion", kProductVersion);
  productNameColor_ = readColor(bag, u"ProductNameColor");
  copyrightColor_ = readColor(bag, u"CopyrightColor");
  copyrightWarningColor_ = readColor(bag, u"CopyrightWarningColor");
  productDescriptionColor_ = readColor(bag, u"ProductDescriptionColor");
  productVersionColor_ = readColor(bag, u"ProductVersionColor");
  websiteUrl_ = readText(bag, u"WebsiteUrl", kWebsiteUrl);
  mailto_ = readText(bag, u"Mailto", kMailto);
}

void AboutBox::WriteProperties(PropertyBag& bag) {
  auto color = [&](StringView key, OleColor c) { bag.WriteProperty(key, static_cast<Long>(c), Long{0}); };
  bag.WriteProperty(u"AboutStyle", aboutStyle_, Integer{0});
  bag.WriteProperty(u"Copyright", copyright_, kCopyright);
  bag.WriteProperty(u"CopyrightWarning", copyrightWarning_, kCopyrightWarning);
  bag.WriteProperty(u"ProductDescription", productDescription_, kProductDescription);
  bag.WriteProperty(u"ProductLogo", productLogo_, ObjectPtr(branding::aboutBoxPicture()));
  bag.WriteProperty(u"ProductName", productName_, kProductName);
  bag.WriteProperty(u"ProductVersion", productVersion_, kProductVersion);
  color(u"ProductNameColor", productNameColor_);
  color(u"CopyrightColor", copyrightColor_);
  color(u"CopyrightWarningColor", copyrightWarningColor_);
  color(u"ProductDescriptionColor", productDescriptionColor_);
  color(u"ProductVersionColor", productVersionColor_);
  bag.WriteProperty(u"WebsiteUrl", websiteUrl_, kWebsiteUrl);
  bag.WriteProperty(u"Mailto", mailto_, kMailto);
}

namespace branding {

// The design icon's file, embedded by the build (about_box_icon.cpp).
extern const unsigned char kAboutBoxIcon[];
extern const std::size_t kAboutBoxIconSize;

PicturePtr aboutBoxPicture() {
  return std::make_shared<Picture>(decodePicture(kAboutBoxIcon, kAboutBoxIconSize));
}

}  // namespace branding

}  // namespace zs
