// The two about dialogs of ZSAboutBox: their designed layouts, the load step
// that every new dialog runs, and how a show fills them.
#pragma once

#include "branding/layout.h"
#include "core/object.h"

namespace zs::branding {

// ZSAboutBoxConstants.
inline constexpr Long zvAboutStandard = 0;
inline constexpr Long zvAbout2000 = 1;
inline constexpr int kAboutStyles = 2;

// The links' colour at rest and under the pointer, and the caption boxes'
// design text colour.
inline constexpr OleColor kLinkColor = 0x00C00000;
inline constexpr OleColor kHoverColor = 0x00FF0000;
inline constexpr OleColor kCaptionFaceText = 0x00404040;

// The library's own title and version that a new dialog shows until the
// control fills it.
inline constexpr std::string_view kLibraryTitle = "VQZavrinStudio";
inline constexpr int kLibraryMajor = 1, kLibraryMinor = 22, kLibraryRevision = 0;

// The dialog of a style (0 or 1) as designed, with the load step run; raises 5
// for any other style.
Window designedAbout(int style, TextMeasurer& measurer);

// What ShowAbout puts into the dialog, read from the control's properties.
struct AboutValues {
  String productName;
  OleColor productNameColor = 0;
  String productVersion;
  OleColor productVersionColor = 0;
  String mailto;
  String websiteUrl;
  String copyright;
  OleColor copyrightColor = 0;
  String productDescription;
  OleColor productDescriptionColor = 0;
  String copyrightWarning;
  OleColor copyrightWarningColor = 0;
  ObjectPtr productLogo;
};

// Fills the dialog in the order ShowAbout does: the caption, title, version,
// the two links (made auto-size), copyright, description, warning, logo. A
// logo that is no picture raises 481 with the elements before it filled.
void fillAbout(Window& dialog, const AboutValues& values, TextMeasurer& measurer);

}  // namespace zs::branding
