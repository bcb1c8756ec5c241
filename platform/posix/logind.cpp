#include "platform/posix/logind.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/types.h"

namespace zs::platform::posix {
namespace {

constexpr char kService[] = "org.freedesktop.login1";
constexpr char kManagerPath[] = "/org/freedesktop/login1";
constexpr char kManager[] = "org.freedesktop.login1.Manager";
constexpr char kSession[] = "org.freedesktop.login1.Session";

// An error and a reply of one call, released on every path.
struct Call {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;

  Call() = default;
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
  ~Call() {
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
  }

  LogindResult result(int status) const {
    LogindResult r;
    r.ok = status >= 0;
    if (!r.ok) {
      r.errorName = error.name ? error.name : "org.freedesktop.DBus.Error.Failed";
      r.message = error.message ? error.message : std::strerror(-status);
    }
    return r;
  }
};

LogindResult notConnected(const LogindResult& why) {
  return why.ok ? LogindResult{false, "org.freedesktop.DBus.Error.NoServer", "no bus"} : why;
}

}  // namespace

std::uint32_t win32Error(const LogindResult& result) {
  const std::string& name = result.errorName;
  const auto is = [&](std::string_view wanted) { return name == wanted; };
  if (is("org.freedesktop.DBus.Error.AccessDenied") ||
      is("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
      name.rfind("org.freedesktop.PolicyKit1.", 0) == 0) {
    return kErrorPrivilegeNotHeld;
  }
  if (is("org.freedesktop.DBus.Error.NoServer") || is("org.freedesktop.DBus.Error.ServiceUnknown") ||
      is("org.freedesktop.DBus.Error.NameHasNoOwner") ||
      is("org.freedesktop.DBus.Error.UnknownMethod") ||
      is("org.freedesktop.login1.NoSessionForPID") || is("org.freedesktop.login1.NoSuchSession")) {
    return kErrorNotSupported;
  }
  return kErrorGenFailure;
}

void BusConnection::Close::operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }

BusConnection BusConnection::system(LogindResult* result) {
  BusConnection connection;
  sd_bus* bus = nullptr;
  const int status = sd_bus_open_system(&bus);
  if (status < 0) {
    if (result) {
      *result = {false, "org.freedesktop.DBus.Error.NoServer", std::strerror(-status)};
    }
    return connection;
  }
  connection.bus_.reset(bus);
  if (result) *result = {true, {}, {}};
  return connection;
}

Logind::Logind() : bus_(BusConnection::system(&connectFailure_)) {}

LogindResult Logind::managerAction(const char* method) {
  if (!bus_) return notConnected(connectFailure_);
  Call call;
  const int status = sd_bus_call_method(bus_.get(), kService, kManagerPath, kManager, method,
                                        &call.error, &call.reply, "b", 0);
  return call.result(status);
}

LogindResult Logind::reboot() { return managerAction("Reboot"); }
LogindResult Logind::powerOff() { return managerAction("PowerOff"); }
LogindResult Logind::halt() { return managerAction("Halt"); }
LogindResult Logind::suspend() { return managerAction("Suspend"); }
LogindResult Logind::hibernate() { return managerAction("Hibernate"); }

LogindResult Logind::ownSession(std::string* id) {
  if (!bus_) return notConnected(connectFailure_);
  Call byPid;
  int status = sd_bus_call_method(bus_.get(), kService, kManagerPath, kManager, "GetSessionByPID",
                                  &byPid.error, &byPid.reply, "u",
                                  static_cast<std::uint32_t>(::getpid()));
  if (status < 0) return byPid.result(status);
  const char* path = nullptr;
  status = sd_bus_message_read(byPid.reply, "o", &path);
  if (status < 0) return byPid.result(status);
  Call property;
  char* value = nullptr;
  status = sd_bus_get_property_string(bus_.get(), kService, path, kSession, "Id",
                                      &property.error, &value);
  if (status < 0) return property.result(status);
  id->assign(value);
  std::free(value);
  return {true, {}, {}};
}

LogindResult Logind::terminateSession(const std::string& id) {
  if (!bus_) return notConnected(connectFailure_);
  Call call;
  const int status = sd_bus_call_method(bus_.get(), kService, kManagerPath, kManager,
                                        "TerminateSession", &call.error, &call.reply, "s",
                                        id.c_str());
  return call.result(status);
}

LogindResult Logind::killSession(const std::string& id, const std::string& who, int signal) {
  if (!bus_) return notConnected(connectFailure_);
  Call call;
  const int status = sd_bus_call_method(bus_.get(), kService, kManagerPath, kManager,
                                        "KillSession", &call.error, &call.reply, "ssi",
                                        id.c_str(), who.c_str(), signal);
  return call.result(status);
}

std::string Logind::managerQuestion(const char* method, LogindResult* result) {
  if (!bus_) {
    if (result) *result = notConnected(connectFailure_);
    return {};
  }
  Call call;
  int status = sd_bus_call_method(bus_.get(), kService, kManagerPath, kManager, method,
                                  &call.error, &call.reply, "");
  const char* answer = nullptr;
  if (status >= 0) status = sd_bus_message_read(call.reply, "s", &answer);
  if (result) *result = call.result(status);
  return status >= 0 && answer ? std::string(answer) : std::string();
}

std::string Logind::canPowerOff(LogindResult* result) {
  return managerQuestion("CanPowerOff", result);
}
std::string Logind::canSuspend(LogindResult* result) {
  return managerQuestion("CanSuspend", result);
}
std::string Logind::canHibernate(LogindResult* result) {
  return managerQuestion("CanHibernate", result);
}

}  // namespace zs::platform::posix
