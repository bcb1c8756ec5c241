// ZSVelquorsoft: the suite's own about entry.
#pragma once

#include "core/class_info.h"
#include "platform/libraries.h"

namespace zs {

// The suite's about text: title, version and maker.
inline constexpr std::string_view kSuiteAboutCaption = "About Zavrin Studio Suite";
inline constexpr std::string_view kSuiteAboutText =
    "Velquorsoft Zavrin Studio Suite\r\nVersion 1.22\r\nhttps://www.velquorsoft.com";

// Opens the suite's about window modeless; the window closes itself when its
// user closes it. Shared by every About member of the library.
void showSuiteAbout(platform::User32& user32);

class Velquorsoft : public Object {
 public:
  explicit Velquorsoft(const platform::Libraries& libraries = platform::systemLibraries())
      : libraries_(libraries) {}

  void About();

  const ClassInfo* classInfo() const override;

 private:
  platform::Libraries libraries_;
};

}  // namespace zs
