#include "platform/testing/private_bus.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace zs::platform::testing {
namespace {

constexpr char kLogind[] = "org.freedesktop.login1";
constexpr char kManagerPath[] = "/org/freedesktop/login1";
constexpr char kMock[] = "org.freedesktop.DBus.Mock";
constexpr auto kStartDeadline = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(50);

// Starts a program with its output in `output`; it is killed when this
// process ends, however it ends, so no bus outlives its test.
pid_t spawn(const std::vector<std::string>& args, const std::string& output) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(127);
  const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::dup2(fd, STDOUT_FILENO);
    ::dup2(fd, STDERR_FILENO);
  }
  ::execve(argv[0], argv.data(), environ);
  ::_exit(127);
}

void stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

bool running(pid_t pid) {
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, WNOHANG) == 0;
}

// A JSON object of string pairs (the names and answers are plain words).
std::string json(const std::map<std::string, std::string>& pairs) {
  std::string out = "{";
  for (const auto& [key, value] : pairs) {
    if (out.size() > 1) out += ", ";
    out += "\"" + key + "\": \"" + value + "\"";
  }
  return out + "}";
}

// A connection to this bus only: opened by address, never the system bus.
struct Connection {
  sd_bus* bus = nullptr;
  explicit Connection(const std::string& address) {
    if (sd_bus_new(&bus) < 0) return;
    if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
        sd_bus_start(bus) < 0) {
      sd_bus_unref(bus);
      bus = nullptr;
    }
  }
  ~Connection() { sd_bus_flush_close_unref(bus); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
};

}  // namespace

PrivateBus::PrivateBus(const std::map<std::string, std::string>& parameters) {
  if (const char* old = std::getenv("DBUS_SYSTEM_BUS_ADDRESS")) previousAddress_ = old;
  address_ = "unix:path=" + folder_.path() + "/bus";
  log_ = folder_.path() + "/calls.log";
  // Aimed at this bus before anything starts, so that nothing in this process
  // or its children can reach the machine's system bus.
  ::setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
  if (!start(parameters)) {
    stop(mock_);
    stop(daemon_);
    mock_ = daemon_ = -1;
  }
}

PrivateBus::~PrivateBus() {
  stop(mock_);
  stop(daemon_);
  if (previousAddress_) {
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", previousAddress_->c_str(), 1);
  } else {
    ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  }
}

bool PrivateBus::start(const std::map<std::string, std::string>& parameters) {
  const std::string config = folder_.path() + "/bus.conf";
  std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                           "Configuration 1.0//EN\"\n"
                           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                           "<busconfig>\n  <listen>"
                        << address_
                        << "</listen>\n  <auth>EXTERNAL</auth>\n"
                           "  <policy context=\"default\">\n"
                           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                           "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n"
                           "  </policy>\n</busconfig>\n";
  const std::string output = folder_.path() + "/output.txt";
  daemon_ = spawn({ZS_DBUS_DAEMON, "--config-file=" + config, "--nofork", "--nopidfile"}, output);
  if (daemon_ < 0) {
    failure_ = "dbus-daemon could not be started";
    return false;
  }
  mock_ = spawn({ZS_DBUSMOCK_PYTHON, "-m", "dbusmock", "--system", "--template", "logind", "-l",
                 log_, "-p", json(parameters)},
                output);
  if (mock_ < 0) {
    failure_ = "python3 -m dbusmock could not be started";
    return false;
  }
  return waitForLogind();
}

bool PrivateBus::waitForLogind() {
  const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!running(daemon_) || !running(mock_)) {
      failure_ = "dbus-daemon or the logind mock exited while starting";
      return false;
    }
    Connection connection(address_);
    if (connection.bus) {
      sd_bus_error error = SD_BUS_ERROR_NULL;
      sd_bus_message* reply = nullptr;
      int owned = 0;
      if (sd_bus_call_method(connection.bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", "NameHasOwner", &error, &reply, "s",
                             kLogind) >= 0) {
        sd_bus_message_read(reply, "b", &owned);
      }
      sd_bus_message_unref(reply);
      sd_bus_error_free(&error);
      if (owned) return true;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  failure_ = "the logind mock did not appear on the private bus";
  return false;
}

bool PrivateBus::owned() const {
  const char* current = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  return mock_ > 0 && current != nullptr && address_ == current;
}

bool PrivateBus::addManagerMethod(const std::string& name, const std::string& inSignature,
                                  const std::string& outSignature, const std::string& code) {
  Connection connection(address_);
  if (!connection.bus) return false;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int status = sd_bus_call_method(connection.bus, kLogind, kManagerPath, kMock, "AddMethod",
                                        &error, nullptr, "sssss", "org.freedesktop.login1.Manager",
                                        name.c_str(), inSignature.c_str(), outSignature.c_str(),
                                        code.c_str());
  sd_bus_error_free(&error);
  return status >= 0;
}

bool PrivateBus::addSession(const std::string& id, const std::string& seat, unsigned uid,
                            const std::string& user) {
  Connection connection(address_);
  if (!connection.bus) return false;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int status = sd_bus_call_method(connection.bus, kLogind, kManagerPath, kMock,
                                        "AddSession", &error, nullptr, "ssusb", id.c_str(),
                                        seat.c_str(), uid, user.c_str(), 1);
  sd_bus_error_free(&error);
  return status >= 0;
}

std::vector<std::string> PrivateBus::takeCalls() {
  std::ifstream in(log_);
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  std::vector<std::string> calls;
  std::istringstream lines(all.substr(std::min(logRead_, all.size())));
  logRead_ = all.size();
  std::string line;
  while (std::getline(lines, line)) {
    const auto space = line.find(' ');  // after the time stamp
    if (space != std::string::npos) calls.push_back(line.substr(space + 1));
  }
  return calls;
}

}  // namespace zs::platform::testing
