// What ShellExecuteA opens on Linux, decided from the text alone (and whether
// a file of that name exists): the command that hands it to the desktop.
//   mailto:…            xdg-email TEXT
//   scheme:…            xdg-open TEXT      (a URI scheme of two letters or more)
//   an existing path    xdg-open file://…  (absolute, percent-encoded)
//   www.…  /  ftp.…     xdg-open http://…  /  ftp://…  (the Windows shell's guess)
// Anything else, and any text beginning with '-' (it would read as an
// option), opens nothing. The text is always one argument of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zs::platform::posix {

// The argument vector that opens `target`; nullopt when nothing opens it.
std::optional<std::vector<std::string>> openCommand(std::string_view target);

// file:// followed by the absolute path with every byte outside the
// unreserved set and '/' percent-encoded.
std::string fileUri(std::string_view absolutePath);

// The URI scheme `text` begins with ("https" of "https://…"), or "".
std::string_view uriScheme(std::string_view text);

}  // namespace zs::platform::posix
