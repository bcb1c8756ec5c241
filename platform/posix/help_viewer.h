// Help files on Linux: a display command opens the file with the desktop's
// viewer through the launcher (a topic "::/…" and a window ">…" after the file
// name are dropped); a close command ends the viewers that this object
// started; every other command does nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/hhctrl.h"
#include "platform/posix/launcher.h"

namespace zs::platform::posix {

// The file name of a help reference "file.chm::/topic.htm>window".
std::string_view helpFileOf(std::string_view reference);

class HelpViewers {
 public:
  // Opens the file of `reference`; false when nothing was started.
  bool display(const char* reference);
  void closeAll() { started_.endAll(); }

 private:
  StartedPrograms started_;
};

class HtmlHelpPosix : public HtmlHelpControl {
 public:
  HWND HtmlHelpA(HWND caller, const char* file, UINT command, std::uintptr_t data) override;

 private:
  HelpViewers viewers_;
};

}  // namespace zs::platform::posix
