// The system libraries a component reaches, as injectable instances.
#pragma once

#include <memory>

#include "platform/advapi32.h"
#include "platform/gdi32.h"
#include "platform/hhctrl.h"
#include "platform/kernel32.h"
#include "platform/powrprof.h"
#include "platform/shell32.h"
#include "platform/version.h"
#include "platform/user32.h"

namespace zs::platform {

struct Libraries {
  std::shared_ptr<Advapi32> advapi32;
  std::shared_ptr<User32> user32;
  std::shared_ptr<Kernel32> kernel32;
  std::shared_ptr<Shell32> shell32;
  std::shared_ptr<Ole32> ole32;
  std::shared_ptr<Version> version;
  std::shared_ptr<HtmlHelpControl> hhctrl;
  std::shared_ptr<Gdi32> gdi32;
  std::shared_ptr<Powrprof> powrprof;
};

// The process's real backends (the Linux store on Linux, the system's own
// libraries on Windows), created once on first use; safe from any thread.
const Libraries& systemLibraries();

}  // namespace zs::platform
