// Kernel32Posix: starting programs and file attributes.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <thread>

#include "platform/last_error.h"
#include "platform/posix/kernel32_posix.h"

extern char** environ;

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

// Spawn attributes and file actions, destroyed on every path.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  SpawnSetup() { posix_spawn_file_actions_init(&actions); }
  ~SpawnSetup() { posix_spawn_file_actions_destroy(&actions); }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

// The program is the one argument vector element: its path as given, never a
// shell's command line. A command line of its own is refused (the library
// passes none; splitting one would need a shell's rules). The child is
// reaped by a waiting thread of its own, so it leaves no zombie; no handle is
// given out (the handles are 0).
BOOL Kernel32Posix::CreateProcessA(const char* applicationName, char* commandLine, BOOL, DWORD,
                                   const char* currentDirectory, const STARTUPINFOA*,
                                   PROCESS_INFORMATION* processInformation) {
  if (!applicationName || !*applicationName || (commandLine && *commandLine)) {
    SetLastError(kErrorInvalidParameter);
    return 0;
  }
  SpawnSetup setup;
  if (currentDirectory && *currentDirectory) {
    if (const int rc = posix_spawn_file_actions_addchdir_np(&setup.actions, currentDirectory)) {
      SetLastError(win32ErrorOf(rc));
      return 0;
    }
  }
  std::string program = applicationName;
  char* argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  if (const int rc = posix_spawn(&pid, applicationName, &setup.actions, nullptr, argv, environ)) {
    SetLastError(win32ErrorOf(rc));
    return 0;
  }
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  if (processInformation) {
    *processInformation = PROCESS_INFORMATION{};
    processInformation->dwProcessId = static_cast<DWORD>(pid);
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
