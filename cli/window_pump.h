// While a command waits for its input it handles the events of the windows
// its thread opened (the about dialogs and the suite about window), so they
// answer between requests or key presses instead of waiting for the command.
#pragma once

namespace zs::cli {

// Handles window events until `fd` is readable (or at its end, or failed),
// or until a display the windows are on goes away.
void pumpWindowsUntilReadable(int fd);

}  // namespace zs::cli
