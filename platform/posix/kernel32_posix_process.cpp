// Kernel32Posix: starting programs and file attributes.
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/last_error.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/posix/launcher.h"

namespace zs::platform::posix {
namespace {

DWORD win32ErrorOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return kErrorFileNotFound;
    case EACCES:
    case EPERM: return kErrorAccessDenied;
    case ENOMEM: return kErrorOutOfMemory;
    case ENAMETOOLONG:
    case EINVAL: return kErrorInvalidParameter;
    default: return kErrorGenFailure;
  }
}

}  // namespace

// The program is the one argument vector element: its path as given, never a
// shell's command line, and never looked up on PATH; a relative path names a
// file in this process's working folder, as on Windows. A command line of its
// own is refused (the library passes none; splitting one would need a shell's
// rules). The program starts through the launcher, so it inherits no
// descriptor but standard error and is never left behind as a zombie; no
// handle is given out (the handles are 0).
BOOL Kernel32Posix::CreateProcessA(const char* applicationName, char* commandLine, BOOL, DWORD,
                                   const char* currentDirectory, const STARTUPINFOA*,
                                   PROCESS_INFORMATION* processInformation) {
  if (!applicationName || !*applicationName || (commandLine && *commandLine)) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  std::error_code error;
  const std::string program = std::filesystem::absolute(applicationName, error).string();
  if (error) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  const Started started = startDetached(
      {program}, {currentDirectory && *currentDirectory ? currentDirectory : nullptr, false});
  if (started.error != 0) {
    SetLastError(win32ErrorOf(started.error));
    return 0;
  }
  if (processInformation) {
    *processInformation = PROCESS_INFORMATION{};
    processInformation->dwProcessId = static_cast<DWORD>(started.pid);
  }
  return 1;
}

DWORD Kernel32Posix::GetFileAttributesA(const char* fileName) {
  struct stat st {};
  if (!fileName || ::stat(fileName, &st) != 0) {
    SetLastError(fileName ? win32ErrorOf(errno) : kErrorInvalidParameter);
    return kInvalidFileAttributes;
  }
  return S_ISDIR(st.st_mode) ? kFileAttributeDirectory : kFileAttributeNormal;
}

}  // namespace zs::platform::posix
