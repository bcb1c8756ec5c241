// A client of systemd-logind (org.freedesktop.login1) on the system bus,
// through sd-bus: the session and power requests that the Linux user32 and
// powrprof make. The bus is the one sd-bus takes for the system bus, so
// DBUS_SYSTEM_BUS_ADDRESS, when set, names it (the tests aim it at a private
// bus of their own). Every request is non-interactive: logind asks nobody for
// a password, it allows the request or refuses it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct sd_bus;

namespace zs::platform::posix {

// The outcome of a request: success, or the D-Bus error's name and message.
struct LogindResult {
  bool ok = false;
  std::string errorName;  // "org.freedesktop.DBus.Error.AccessDenied", ...
  std::string message;

  explicit operator bool() const { return ok; }
};

// The Win32 error code of a failed request: kErrorPrivilegeNotHeld when
// logind or its policy refused, kErrorNotSupported when there is no logind to
// ask (no bus, no service, no session), kErrorGenFailure otherwise.
std::uint32_t win32Error(const LogindResult& result);

// A connection to a bus, closed when it goes.
class BusConnection {
 public:
  BusConnection() = default;
  // The system bus; an empty connection and `result` filled when it cannot
  // be reached.
  static BusConnection system(LogindResult* result);

  sd_bus* get() const { return bus_.get(); }
  explicit operator bool() const { return bus_ != nullptr; }

 private:
  struct Close {
    void operator()(sd_bus* bus) const;
  };
  std::unique_ptr<sd_bus, Close> bus_;
};

class Logind {
 public:
  // Connects to the system bus; check connected() or the result of any call.
  Logind();

  bool connected() const { return static_cast<bool>(bus_); }

  LogindResult reboot();
  LogindResult powerOff();
  LogindResult halt();
  LogindResult suspend();
  LogindResult hibernate();

  // The id of the session the calling process belongs to.
  LogindResult ownSession(std::string* id);
  LogindResult terminateSession(const std::string& id);
  // Sends `signal` to the processes of the session (who: "all", "leader").
  LogindResult killSession(const std::string& id, const std::string& who, int signal);

  // What logind answers to CanPowerOff and the others: "yes", "no",
  // "challenge", "na"; empty with the failure in `result` when it cannot ask.
  std::string canPowerOff(LogindResult* result = nullptr);
  std::string canSuspend(LogindResult* result = nullptr);
  std::string canHibernate(LogindResult* result = nullptr);

 private:
  // Calls a Manager method that takes one Boolean (interactive = false).
  LogindResult managerAction(const char* method);
  std::string managerQuestion(const char* method, LogindResult* result);

  LogindResult connectFailure_;  // before bus_, which fills it
  BusConnection bus_;
};

}  // namespace zs::platform::posix
