// The user and computer names on Linux.
#include <pwd.h>
#include <cerrno>
#include <sys/utsname.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/posix/advapi32_posix.h"
#include "platform/posix/identity_posix.h"
#include "platform/posix/kernel32_posix.h"
#include "platform/posix/name_buffer.h"

namespace zs::platform::posix {

std::string userNameOf(uid_t uid) {
  long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> scratch(hint > 0 ? static_cast<std::size_t>(hint) : 1024);
  // A passwd line longer than the hint: grow, within reason.
  for (int attempt = 0; attempt < 6; ++attempt) {
    struct passwd entry {};
    struct passwd* found = nullptr;
    const int status = ::getpwuid_r(uid, &entry, scratch.data(), scratch.size(), &found);
    if (status == ERANGE) {
      scratch.resize(scratch.size() * 4);
      continue;
    }
    if (status == 0 && found != nullptr && found->pw_name != nullptr && *found->pw_name) {
      return found->pw_name;
    }
    break;
  }
  // No passwd entry (a container's arbitrary uid): the number, as ls shows it.
  return std::to_string(uid);
}

BOOL Advapi32Posix::GetUserNameA(char* buffer, DWORD* size) {
  return answerName(userNameOf(::geteuid()), buffer, size, kErrorInsufficientBuffer, true);
}

BOOL Kernel32Posix::GetComputerNameA(char* buffer, DWORD* size) {
  std::string name = roots_.nodeName;
  if (name.empty()) {
    struct utsname names {};
    if (::uname(&names) != 0) {
      SetLastError(kErrorGenFailure);
      return 0;
    }
    name = names.nodename;
  }
  return answerName(name, buffer, size, kErrorBufferOverflow, false);
}

}  // namespace zs::platform::posix
