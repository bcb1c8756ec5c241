#include "platform/posix/portal.h"

#include <systemd/sd-bus.h>

#include <atomic>
#include <memory>
#include <vector>

#include <unistd.h>

#include "core/ascii.h"

namespace zs::platform::posix {
namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooser = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequest = "org.freedesktop.portal.Request";

struct BusClose {
  void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
  void operator()(sd_bus_message* m) const { sd_bus_message_unref(m); }
};
struct SlotUnref {
  void operator()(sd_bus_slot* s) const { sd_bus_slot_unref(s); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;
using Slot = std::unique_ptr<sd_bus_slot, SlotUnref>;

// An error of a bus call, freed on every path.
struct CallError {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~CallError() { sd_bus_error_free(&error); }
};

struct Response {
  bool arrived = false;
  std::uint32_t code = 2;
  std::vector<std::string> uris;
};

// Reads the "uris" entry of the results a{sv}; other entries are skipped.
int readResults(sd_bus_message* m, Response& response) {
  int r = sd_bus_message_enter_container(m, 'a', "{sv}");
  if (r < 0) return r;
  while ((r = sd_bus_message_enter_container(m, 'e', "sv")) > 0) {
    const char* key = nullptr;
    if ((r = sd_bus_message_read(m, "s", &key)) < 0) return r;
    if (std::string_view(key) == "uris") {
      if ((r = sd_bus_message_enter_container(m, 'v', "as")) < 0) return r;
      char** uris = nullptr;
      if ((r = sd_bus_message_read_strv(m, &uris)) < 0) return r;
      for (char** u = uris; u && *u; ++u) {
        response.uris.emplace_back(*u);
        free(*u);
      }
      free(uris);
      if ((r = sd_bus_message_exit_container(m)) < 0) return r;
    } else if ((r = sd_bus_message_skip(m, "v")) < 0) {
      return r;
    }
    if ((r = sd_bus_message_exit_container(m)) < 0) return r;
  }
  if (r < 0) return r;
  return sd_bus_message_exit_container(m);
}

int onResponse(sd_bus_message* m, void* user, sd_bus_error*) {
  auto& response = *static_cast<Response*>(user);
  response.arrived = true;
  if (sd_bus_message_read(m, "u", &response.code) < 0) {
    response.code = 2;
    return 0;
  }
  if (readResults(m, response) < 0) response.uris.clear();
  return 0;
}

// The request object the portal will create for `token`: the caller's unique
// name without ':' and with '.' as '_'.
std::string requestPath(const char* uniqueName, const std::string& token) {
  std::string sender = uniqueName ? uniqueName : "";
  if (!sender.empty() && sender.front() == ':') sender.erase(0, 1);
  for (char& c : sender) {
    if (c == '.') c = '_';
  }
  return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

int appendOptions(sd_bus_message* m, const std::string& token, const std::string& start) {
  int r = sd_bus_message_open_container(m, 'a', "{sv}");
  if (r < 0) return r;
  if ((r = sd_bus_message_append(m, "{sv}", "handle_token", "s", token.c_str())) < 0) return r;
  if ((r = sd_bus_message_append(m, "{sv}", "directory", "b", 1)) < 0) return r;
  if ((r = sd_bus_message_append(m, "{sv}", "modal", "b", 1)) < 0) return r;
  if (!start.empty()) {
    // current_folder is a byte string with its NUL.
    if ((r = sd_bus_message_open_container(m, 'e', "sv")) < 0) return r;
    if ((r = sd_bus_message_append(m, "s", "current_folder")) < 0) return r;
    if ((r = sd_bus_message_open_container(m, 'v', "ay")) < 0) return r;
    if ((r = sd_bus_message_append_array(m, 'y', start.c_str(), start.size() + 1)) < 0) return r;
    if ((r = sd_bus_message_close_container(m)) < 0) return r;
    if ((r = sd_bus_message_close_container(m)) < 0) return r;
  }
  return sd_bus_message_close_container(m);
}

}  // namespace

std::optional<std::string> pathOfFileUri(const std::string& uri) {
  constexpr std::string_view kFile = "file://";
  if (uri.compare(0, kFile.size(), kFile) != 0) return std::nullopt;
  std::string_view rest = std::string_view(uri).substr(kFile.size());
  // "file://host/path": only the local host (empty or "localhost").
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = rest.substr(0, slash);
  if (!host.empty() && host != "localhost") return std::nullopt;
  rest.remove_prefix(slash);
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    if (i + 2 >= rest.size()) return std::nullopt;
    const int high = digitValue(rest[i + 1]), low = digitValue(rest[i + 2]);
    if (high < 0 || low < 0 || (high == 0 && low == 0)) return std::nullopt;
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return path;
}

PortalAnswer portalPickFolder(const std::string& start, const std::string& title) {
  PortalAnswer answer;
  sd_bus* raw = nullptr;
  // Only an explicit session bus address is used: without one there is no
  // desktop session to ask.
  if (!getenv("DBUS_SESSION_BUS_ADDRESS") || sd_bus_open_user(&raw) < 0) return answer;
  Bus bus(raw);
  const char* unique = nullptr;
  if (sd_bus_get_unique_name(bus.get(), &unique) < 0) return answer;

  static std::atomic<unsigned> counter{0};
  const std::string token = "zavrin" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
  Response response;
  sd_bus_slot* rawSlot = nullptr;
  const std::string path = requestPath(unique, token);
  if (sd_bus_match_signal(bus.get(), &rawSlot, kPortal, path.c_str(), kRequest, "Response",
                          onResponse, &response) < 0) {
    return answer;
  }
  Slot slot(rawSlot);

  sd_bus_message* rawCall = nullptr;
  if (sd_bus_message_new_method_call(bus.get(), &rawCall, kPortal, kPortalPath, kChooser,
                                     "OpenFile") < 0) {
    return answer;
  }
  Message call(rawCall);
  if (sd_bus_message_append(call.get(), "ss", "", title.c_str()) < 0 ||
      appendOptions(call.get(), token, start) < 0) {
    return answer;
  }
  CallError error;
  sd_bus_message* rawReply = nullptr;
  if (sd_bus_call(bus.get(), call.get(), 0, &error.error, &rawReply) < 0) return answer;
  Message reply(rawReply);
  answer.answered = true;

  // The dialog is the user's: wait for the answer as long as the bus lives.
  while (!response.arrived) {
    const int r = sd_bus_process(bus.get(), nullptr);
    if (r < 0) return answer;
    if (r > 0) continue;
    if (sd_bus_wait(bus.get(), UINT64_MAX) < 0) return answer;
  }
  if (response.code == 0 && response.uris.size() == 1) {
    answer.folder = pathOfFileUri(response.uris.front());
  }
  return answer;
}

}  // namespace zs::platform::posix
