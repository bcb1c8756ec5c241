// The desktop portal's file chooser (org.freedesktop.portal.FileChooser) in
// folder mode, over the session bus with sd-bus. The request goes out with a
// handle token of its own; the answer is the Response signal on the request
// object, which is subscribed to before the call so that it cannot be missed.
#pragma once

#include <optional>
#include <string>

namespace zs::platform::posix {

struct PortalAnswer {
  bool answered = false;               // a portal took the request
  std::optional<std::string> folder;   // the picked folder; nullopt on cancel
};

// Asks the portal on the session bus ($DBUS_SESSION_BUS_ADDRESS) for a folder.
// No bus, no portal or a refused request: answered is false.
PortalAnswer portalPickFolder(const std::string& start, const std::string& title);

// The path of a file:// URI, percent-decoding it; nullopt for any other URI
// or a malformed escape.
std::optional<std::string> pathOfFileUri(const std::string& uri);

}  // namespace zs::platform::posix
