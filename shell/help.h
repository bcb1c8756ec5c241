// ZSHelp: opens a compiled HTML help file (HtmlHelpA) or a classic help file
// (WinHelpA) with a command, handing the request to the system and returning
// at once. The data argument is always 0, so the commands whose data must be
// a pointer (a multi-key or window-position record, a popup, a window type, a
// control-id list) are not sent at all: a help engine would read through the
// null pointer.
#pragma once

#include "core/class_info.h"
#include "core/property_bag.h"
#include "core/variant.h"
#include "platform/libraries.h"

namespace zs {

// ZSHtmlHelpConstants.
enum HtmlHelpCommand : Long {
  zvHH_DISPLAY_TOPIC = 0,
  zvHH_SET_WIN_TYPE = 4,
  zvHH_GET_WIN_TYPE = 5,
  zvHH_GET_WIN_HANDLE = 6,
  zvHH_DISPLAY_TEXT_POPUP = 14,
  zvHH_HELP_CONTEXT = 15,
  zvHH_TP_HELP_CONTEXTMENU = 16,
  zvHH_TP_HELP_WM_HELP = 17,
  zvHH_CLOSE_ALL = 18,
};

// ZSWinHelpConstants (several names share a value).
enum WinHelpCommand : Long {
  zvHELP_CONTEXT = 1,
  zvHELP_QUIT = 2,
  zvHELP_CONTENTS = 3,
  zvHELP_INDEX = 3,
  zvHELP_HELPONHELP = 4,
  zvHELP_SETCONTENTS = 5,
  zvHELP_SETINDEX = 5,
  zvHELP_CONTEXTPOPUP = 8,
  zvHELP_FORCEFILE = 9,
  zvHELP_KEY = 257,
  zvHELP_COMMAND = 258,
  zvHELP_PARTIALKEY = 261,
  zvHELP_MULTIKEY = 513,
  zvHELP_SETWINPOS = 515,
};

// Whether the engine reads the data argument of `command` as a pointer.
bool htmlHelpNeedsPointer(Long command);
bool winHelpNeedsPointer(Long command);

class Help : public Control {
 public:
  explicit Help(const platform::Libraries& libraries = platform::systemLibraries());

  // Both write the file name back as the system code page carries it and
  // return Empty; hwnd and Command are not changed.
  Variant RunHtmlHelp(Long& hwnd, String& CHMFile, Long& Command);
  Variant RunWinHelp(Long& hwnd, String& WinFile, Long& Command);

  const ClassInfo* classInfo() const override;

 private:
  platform::Libraries libraries_;
};

}  // namespace zs
