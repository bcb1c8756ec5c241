// A private D-Bus daemon with python3-dbusmock's logind on it, for the tests
// of the logind client. It points DBUS_SYSTEM_BUS_ADDRESS at itself for its
// lifetime (restoring the old value afterwards), so the code under test,
// which asks for the system bus, reaches this bus and never the machine's.
// Tests must check owned() before every request: it is false when the
// harness could not start or something changed the variable.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/temp_folder.h"

namespace zs::platform::testing {

class PrivateBus {
 public:
  // Starts the daemon and the logind mock; `parameters` go to the template
  // (CanSuspend, CanHibernate, ... as "yes"/"no"/"challenge"/"na").
  explicit PrivateBus(const std::map<std::string, std::string>& parameters = {});
  ~PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  // Whether the mock runs and DBUS_SYSTEM_BUS_ADDRESS names this bus.
  bool owned() const;
  // Why starting failed, for the test's message.
  const std::string& failure() const { return failure_; }
  const std::string& address() const { return address_; }

  // Adds or replaces a method of the logind manager (dbusmock's AddMethod:
  // `code` is Python that sets `ret` or raises).
  bool addManagerMethod(const std::string& name, const std::string& inSignature,
                        const std::string& outSignature, const std::string& code);
  // Adds a session object (dbusmock's AddSession).
  bool addSession(const std::string& id, const std::string& seat, unsigned uid,
                  const std::string& user);
  // The method calls the mock logged since the last call of this, each as
  // "Name arg arg" (strings quoted, Booleans as True/False).
  std::vector<std::string> takeCalls();

 private:
  bool start(const std::map<std::string, std::string>& parameters);
  bool waitForLogind();

  testsupport::TempFolder folder_;
  std::string address_;
  std::string log_;
  std::optional<std::string> previousAddress_;
  pid_t daemon_ = -1;
  pid_t mock_ = -1;
  std::size_t logRead_ = 0;
  std::string failure_;
};

}  // namespace zs::platform::testing
