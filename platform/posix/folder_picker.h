// The folder browser on Linux: the desktop portal's file chooser in folder
// mode (portal.h) where a portal answers on the session bus, else
// `zenity --file-selection --directory`, else `kdialog --getexistingdirectory`,
// each started by the launcher with the title and the start folder inside one
// argument of its own. Cancel, a missing tool or a failed start all mean that
// nothing was picked.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zs::platform::posix {

// Asks the user for a folder, starting in `start`, with `title` above it; the
// absolute path of the pick, or nullopt.
using FolderPicker =
    std::function<std::optional<std::string>(const std::string& start, const std::string& title)>;

// zenity, then kdialog when zenity is not installed.
std::optional<std::string> pickWithDialogTool(const std::string& start, const std::string& title);

// The portal, then the dialog tools.
std::optional<std::string> pickFolder(const std::string& start, const std::string& title);

}  // namespace zs::platform::posix
