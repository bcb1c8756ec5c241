// The about dialogs' System Info button: the system-information program named
// in the registry, started as a program of its own, or a message box saying
// that it is unavailable.
#pragma once

#include <string>

#include "platform/libraries.h"

namespace zs::branding {

inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsinfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Reads `valueName` under `keyName` of `root`, opened for reading only. True
// with `keyValue` set for a string (without its terminating NUL, if stored
// with one) or a 32-bit number (as signed decimal text); false with
// `keyValue` empty when the key or value cannot be read, and false with
// `keyValue` untouched for a value of any other type.
bool getKeyValue(platform::Advapi32& advapi32, platform::HKEY root, const std::string& keyName,
                 const std::string& valueName, std::string& keyValue);

// Starts the system-information program: the path under MSINFO\PATH as read,
// else MSINFO32.EXE in the folder under "Shared Tools Location"\MSINFO when
// that file exists. Any failure shows the message box instead, titled
// `title`; nothing is raised.
void startSysInfo(platform::Advapi32& advapi32, platform::Kernel32& kernel32, platform::User32& user32,
                  const std::string& title);

}  // namespace zs::branding
