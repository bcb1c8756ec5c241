// The display modes of an X server through its RandR extension: the current
// mode of the primary output, the output's modes and switching between them.
//
// Every call opens its own connection to the server and closes it before it
// returns, so an instance is safe from any thread and holds nothing open.
// Without a server to connect to, the queries answer nothing and a change
// fails. A server without RandR 1.2 knows one mode, its screen's size.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

namespace zs::platform::posix {

struct ScreenMode {
  DWORD width = 0, height = 0;  // as the screen shows them, rotation applied
  DWORD bitsPerPixel = 0;       // of the root window's depth
  DWORD frequency = 0;          // vertical refresh in hertz, 0 when unknown
};

class RandrDisplay {
 public:
  // `name` is an X display name such as ":1"; empty takes $DISPLAY.
  explicit RandrDisplay(std::string name = {}) : name_(std::move(name)) {}

  std::optional<ScreenMode> current() const;
  // Mode `index` of the primary output, in the server's order (the preferred
  // ones first), shown with the output's current rotation.
  std::optional<ScreenMode> mode(DWORD index) const;

  enum class Outcome { Done, BadMode, Failed };
  // Switches the primary output to the mode of exactly `wanted`'s width and
  // height (0: the current one) at the server's depth (bitsPerPixel 0: any)
  // and, when given, the refresh rate within 1 Hz. The screen grows before
  // and shrinks after the switch so that it holds the outputs. `testOnly`
  // checks everything and changes nothing.
  Outcome apply(const ScreenMode& wanted, bool testOnly) const;

 private:
  std::string name_;
};

}  // namespace zs::platform::posix
