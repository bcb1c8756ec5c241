// Where the Linux registry store keeps its files.
//
// HKEY_CURRENT_USER lives in a per-user file, $XDG_DATA_HOME/zavrin/user.db
// (default ~/.local/share/zavrin/user.db); HKEY_LOCAL_MACHINE and HKEY_USERS
// in the machine file /var/lib/zavrin/machine.db. ZAVRIN_REGISTRY_DIR, when
// set and not empty, moves both files into that folder.
#pragma once

#include <string>

#include "platform/posix/host_identity.h"

namespace zs::platform::posix {

struct StoreLocation {
  std::string userFile;     // empty: an in-memory hive
  std::string machineFile;  // empty: an in-memory hive
  // How long a writer waits for another process's write to end before
  // giving kErrorBusy (170).
  int busyTimeoutMs = 5000;
  // The host's answers for the identity values the store lacks (see
  // host_identity.h); empty: none.
  HostIdentitySources host;

  // Both files in `folder`.
  static StoreLocation inFolder(const std::string& folder);
  // From ZAVRIN_REGISTRY_DIR, XDG_DATA_HOME and HOME (or the password entry),
  // with the running system's identity answers.
  static StoreLocation fromEnvironment();
  // Private in-memory hives, for tests.
  static StoreLocation inMemory() { return {}; }
};

}  // namespace zs::platform::posix
