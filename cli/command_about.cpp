// zavrin about --style 0|1 [--let NAME=VALUE ...] [--hover ELEMENT] [-o OUT.png]
// [--show SECONDS]: a ZSAboutBox with its new-control defaults and the given
// properties, its dialog of the style filled by ShowAbout (with the pointer
// resting on ELEMENT) and written as PNG, or put on the X display for a while.
#include <chrono>
#include <thread>

#include "branding/about_box.h"
#include "branding/about_events.h"
#include "branding/posix/pango_text.h"
#include "cli/commands.h"
#include "cli/window_output.h"
#include "frame/control_site.h"

namespace zs::cli {

int aboutCommand(std::span<const std::string> args, CommandIo& io) {
  std::string hover;
  const WindowOptions o = readWindowOptions(args, 1, [&](const std::string& a, const auto& value) {
    if (a != "--hover") return false;
    hover = value();
    if (hover != "lblUrl" && hover != "lblMail" && hover != "Text1" && hover != "Text2")
      throw UsageError("--hover takes lblUrl, lblMail, Text1 or Text2, not '" + hover + "'");
    return true;
  });
  if (!o.style) throw UsageError("--style N (0 or 1) is required");
  auto presenters = windowPresenters(o, io, "about");
  if (!presenters) return 1;
  const int style = static_cast<int>(*o.style);
  auto dialogs = std::make_shared<branding::AboutDialogs>(std::make_shared<branding::posix::PangoMeasurer>(),
                                                          presenters);
  auto about = create<AboutBox>(dialogs);
  startControl(*about, nullptr, nullptr);
  about->AboutStyle(style);
  for (const auto& l : o.lets) letProperty(*about, l);
  about->ShowAbout();
  if (!hover.empty()) {
    branding::Window& dialog = dialogs->dialog(style);
    const branding::Box b = dialog.clientBox(dialog.element(hover));
    branding::pointerMoved(dialog, b.left + b.width / 2, b.top + b.height / 2);
    dialogs->refresh(style);
  }
  if (o.seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(*o.seconds));
    dialogs->close(style);
  }
  return 0;
}

}  // namespace zs::cli
