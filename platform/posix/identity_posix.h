// Where the Linux advapi32 and kernel32 find the user's name.
#pragma once

#include <sys/types.h>

#include <string>

namespace zs::platform::posix {

// The login name of `uid` from the password database (getpwuid_r); the uid in
// decimal when the database has no entry for it.
std::string userNameOf(uid_t uid);

}  // namespace zs::platform::posix
