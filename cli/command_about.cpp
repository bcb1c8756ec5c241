// zavrin about --style 0|1 [--let NAME=VALUE ...] [--hover ELEMENT] [-o OUT.png]
// [--show SECONDS]: a ZSAboutBox with its new-control defaults and the given
// properties, its dialog of the style filled by ShowAbout (with the pointer
// resting on ELEMENT) and written as PNG, or put on the X display for a while.
#include <chrono>
#include <ostream>
#include <thread>

#include "branding/about_box.h"
#include "branding/about_events.h"
#include "branding/posix/pango_text.h"
#include "branding/posix/x11_presenter.h"
#include "cli/commands.h"
#include "cli/window_output.h"
#include "frame/control_site.h"

namespace zs::cli {

int aboutCommand(std::span<const std::string> args, CommandIo& io) {
  std::optional<Long> style;
  std::vector<std::string> lets;
  std::string out;
  std::optional<long> seconds;
  std::string hover;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--style") {
      style = static_cast<Long>(wholeOption(a, value(), 0, 1));
    } else if (a == "--let") {
      lets.push_back(value());
    } else if (a == "-o" || a == "--output") {
      out = value();
    } else if (a == "--hover") {
      hover = value();
      if (hover != "lblUrl" && hover != "lblMail" && hover != "Text1" && hover != "Text2")
        throw UsageError("--hover takes lblUrl, lblMail, Text1 or Text2, not '" + hover + "'");
    } else if (a == "--show") {
      seconds = wholeOption(a, value(), 0, 3600);
    } else {
      throw UsageError("unknown argument '" + a + "'");
    }
  }
  if (!style) throw UsageError("--style N (0 or 1) is required");
  if (out.empty() && !seconds) throw UsageError("give -o OUT.png, --show SECONDS or both");

  auto presenters = std::make_shared<BothPresenters>();
  std::shared_ptr<branding::posix::X11Presenter> x11;
  if (!out.empty()) presenters->all.push_back(std::make_shared<PngPresenter>(out));
  if (seconds) {
    x11 = std::make_shared<branding::posix::X11Presenter>();
    if (!x11->open()) {
      io.err << "zavrin about: no X display to show the dialog on\n";
      return 1;
    }
    presenters->all.push_back(x11);
  }
  auto dialogs = std::make_shared<branding::AboutDialogs>(std::make_shared<branding::posix::PangoMeasurer>(),
                                                          presenters);
  auto about = create<AboutBox>(dialogs);
  startControl(*about, nullptr, nullptr);
  about->AboutStyle(*style);
  for (const auto& l : lets) letProperty(*about, l);
  about->ShowAbout();
  if (!hover.empty()) {
    const int s = static_cast<int>(*style);
    branding::Window& dialog = dialogs->dialog(s);
    const branding::Box b = dialog.clientBox(dialog.element(hover));
    branding::pointerMoved(dialog, b.left + b.width / 2, b.top + b.height / 2);
    dialogs->refresh(s);
  }
  if (seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(*seconds));
    dialogs->close(static_cast<int>(*style));
  }
  return 0;
}

}  // namespace zs::cli
