// The five splash windows: their designed layouts and how a show fills them.
#pragma once

#include <array>

#include "branding/layout.h"
#include "core/object.h"

namespace zs::branding {

// ZSSplashScreenConstants.
inline constexpr Long zvStandard = 0;
inline constexpr Long zvSerated = 1;
inline constexpr Long zvThe98Look = 2;
inline constexpr Long zvThe2000Look = 3;
inline constexpr Long zvZavrin = 4;
inline constexpr int kSplashStyles = 5;

// The prefix of the licence line.
inline constexpr std::string_view kLicensePrefix = "License To: ";
// The product name colour that the Zavrin style always uses (yellow).
inline constexpr OleColor kZavrinProductNameColor = 0x0000FFFF;
// Distance of the warning's lower edge from the window's outer height, per style.
inline constexpr std::array<int, kSplashStyles> kWarningMargin = {400, 200, 250, 200, 200};

// The window of a style (0 to 4) as designed, before any show.
Window designedSplash(int style);

// What a show puts into the window, read from the control's properties.
struct SplashValues {
  String licenseTo;
  String companyName;
  ObjectPtr companyNameImage;
  String productName;
  OleColor productNameColor = 0;
  ObjectPtr productNameImage;
  ObjectPtr productLogo;
  String platform;
  String productVersion;
  String copyright;
  String copyrightOwner;
  String copyrightWarning;
};

// Fills the window of `style` from `values` in the order a show does, then
// places the warning at the bottom. A picture slot holding an object that is
// not a picture raises 481 with the elements before it already filled.
void fillSplash(Window& window, int style, const SplashValues& values, TextMeasurer& measurer);

}  // namespace zs::branding
