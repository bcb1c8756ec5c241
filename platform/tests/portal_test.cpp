// The portal client against a private bus that the test starts, with a fake
// portal answering on it: the request it sends, the picks, cancel, and a bus
// without a portal. The real session bus is never reached.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/posix/portal.h"
#include "platform/tests/stub_tools.h"

extern char** environ;

namespace zs::platform::posix {
namespace {

using testsupport::ScopedVariable;
using testsupport::TempFolder;

// A dbus-daemon of the test's own, listening on a socket in a temporary folder.
class PrivateBus {
 public:
  PrivateBus() {
    const std::string config = folder_.path() + "/bus.conf";
    address_ = "unix:path=" + folder_.path() + "/bus";
    std::ofstream(config) << "<busconfig><type>session</type><listen>" << address_
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string configArg = "--config-file=" + config;
    const char* argv[] = {ZS_DBUS_DAEMON, configArg.c_str(), "--nofork", "--print-address=1", nullptr};
    if (posix_spawn(&pid_, ZS_DBUS_DAEMON, &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    // The daemon prints its address once it listens.
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n') {
    }
    ::close(out[0]);
  }
  ~PrivateBus() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool running() const { return pid_ > 0; }
  const std::string& address() const { return address_; }

 private:
  TempFolder folder_;
  std::string address_;
  pid_t pid_ = -1;
};

// A portal on the private bus that answers every OpenFile with one response.
class FakePortal {
 public:
  struct Request {
    std::string title, token, currentFolder;
    bool directory = false;
  };

  FakePortal(const std::string& address, std::uint32_t code, std::vector<std::string> uris)
      : code_(code), uris_(std::move(uris)) {
    sd_bus_new(&bus_);
    sd_bus_set_address(bus_, address.c_str());
    sd_bus_set_bus_client(bus_, 1);
    ok_ = sd_bus_start(bus_) >= 0 &&
          sd_bus_add_object_vtable(bus_, nullptr, "/org/freedesktop/portal/desktop",
                                   "org.freedesktop.portal.FileChooser", vtable(), this) >= 0 &&
          sd_bus_request_name(bus_, "org.freedesktop.portal.Desktop", 0) >= 0;
    if (ok_) thread_ = std::thread([this] { loop(); });
  }
  ~FakePortal() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    sd_bus_flush_close_unref(bus_);
  }
  bool ok() const { return ok_; }
  std::vector<Request> requests() {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  static const sd_bus_vtable* vtable() {
    static const sd_bus_vtable table[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("OpenFile", "ssa{sv}", "o", openFile, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END};
    return table;
  }

  static int openFile(sd_bus_message* m, void* user, sd_bus_error*) {
    auto& self = *static_cast<FakePortal*>(user);
    Request request;
    const char *parent = nullptr, *title = nullptr;
    sd_bus_message_read(m, "ss", &parent, &title);
    request.title = title;
    sd_bus_message_enter_container(m, 'a', "{sv}");
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
      const char* key = nullptr;
      sd_bus_message_read(m, "s", &key);
      const std::string name = key;
      if (name == "handle_token") {
        const char* token = nullptr;
        sd_bus_message_read(m, "v", "s", &token);
        request.token = token;
      } else if (name == "directory") {
        int flag = 0;
        sd_bus_message_read(m, "v", "b", &flag);
        request.directory = flag;
      } else if (name == "current_folder") {
        sd_bus_message_enter_container(m, 'v', "ay");
        const void* bytes = nullptr;
        size_t size = 0;
        sd_bus_message_read_array(m, 'y', &bytes, &size);
        request.currentFolder.assign(static_cast<const char*>(bytes), size);
        sd_bus_message_exit_container(m);
      } else {
        sd_bus_message_skip(m, "v");
      }
      sd_bus_message_exit_container(m);
    }
    std::string sender = sd_bus_message_get_sender(m) + 1;
    for (char& c : sender) c = c == '.' ? '_' : c;
    const std::string handle = "/org/freedesktop/portal/desktop/request/" + sender + "/" + request.token;
    {
      const std::lock_guard lock(self.mutex_);
      self.requests_.push_back(request);
    }
    sd_bus_reply_method_return(m, "o", handle.c_str());
    sd_bus_message* signal = nullptr;
    sd_bus_message_new_signal(self.bus_, &signal, handle.c_str(), "org.freedesktop.portal.Request",
                              "Response");
    sd_bus_message_append(signal, "u", self.code_);
    sd_bus_message_open_container(signal, 'a', "{sv}");
    sd_bus_message_open_container(signal, 'e', "sv");
    sd_bus_message_append(signal, "s", "uris");
    sd_bus_message_open_container(signal, 'v', "as");
    sd_bus_message_open_container(signal, 'a', "s");
    for (const auto& u : self.uris_) sd_bus_message_append(signal, "s", u.c_str());
    sd_bus_message_close_container(signal);
    sd_bus_message_close_container(signal);
    sd_bus_message_close_container(signal);
    sd_bus_message_append(signal, "{sv}", "choices", "i", 3);  // an entry the client skips
    sd_bus_message_close_container(signal);
    sd_bus_send(self.bus_, signal, nullptr);
    sd_bus_message_unref(signal);
    return 1;
  }

  void loop() {
    while (!stop_) {
      if (sd_bus_process(bus_, nullptr) > 0) continue;
      sd_bus_wait(bus_, 50000);
    }
  }

  sd_bus* bus_ = nullptr;
  bool ok_ = false;
  std::uint32_t code_;
  std::vector<std::string> uris_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<Request> requests_;
  std::thread thread_;
};

TEST(Portal, FileUrisBecomePaths) {
  const struct {
    const char* uri;
    std::optional<std::string> path;
  } cases[] = {
      {"file:///home/ana/My%20Files", "/home/ana/My Files"},
      {"file://localhost/srv/%E2%82%AC", "/srv/\xe2\x82\xac"},
      {"file:///a%2", std::nullopt},
      {"file:///a%zz", std::nullopt},
      {"file:///a%00b", std::nullopt},  // no NUL inside a path
      {"file://other-host/x", std::nullopt},
      {"https://example.com/", std::nullopt},
      {"file:", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(pathOfFileUri(c.uri), c.path) << c.uri;
}

TEST(Portal, AnswersFromThePortalOnThePrivateBus) {
  PrivateBus bus;
  ASSERT_TRUE(bus.running()) << "dbus-daemon did not start";
  const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", bus.address());
  const struct {
    std::uint32_t code;
    std::vector<std::string> uris;
    std::optional<std::string> folder;
  } cases[] = {
      {0, {"file:///home/ana/Bilder%20alt"}, "/home/ana/Bilder alt"},
      {1, {}, std::nullopt},                            // cancelled
      {0, {"file:///a", "file:///b"}, std::nullopt},    // one folder or none
      {0, {"sftp://host/x"}, std::nullopt},
  };
  for (const auto& c : cases) {
    FakePortal portal(bus.address(), c.code, c.uris);
    ASSERT_TRUE(portal.ok());
    const PortalAnswer answer = portalPickFolder("/home/ana", "T\xc3\xadtulo -x $(id)");
    EXPECT_TRUE(answer.answered);
    EXPECT_EQ(answer.folder, c.folder);
    const auto requests = portal.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "T\xc3\xadtulo -x $(id)");
    EXPECT_TRUE(requests[0].directory);
    EXPECT_EQ(requests[0].currentFolder, std::string("/home/ana\0", 10));
  }
  // The bus answers but no portal is on it: the dialog tools take over.
  EXPECT_FALSE(portalPickFolder("/", "t").answered);
}

}  // namespace
}  // namespace zs::platform::posix
