#include "platform/posix/folder_picker.h"

#include <cerrno>
#include <vector>

#include "platform/posix/launcher.h"
#include "platform/posix/portal.h"

namespace zs::platform::posix {
namespace {

constexpr std::size_t kMaxAnswer = 64 * 1024;

enum class Outcome { Picked, NothingPicked, NotInstalled };

Outcome ask(const std::vector<std::string>& argv, std::string& picked) {
  Finished finished = runToEnd(argv, kMaxAnswer);
  if (finished.error == ENOENT) return Outcome::NotInstalled;
  if (finished.error != 0 || finished.exitStatus != 0) return Outcome::NothingPicked;
  std::string& out = finished.output;
  if (!out.empty() && out.back() == '\n') out.pop_back();
  // Only one absolute path on one line is an answer.
  if (out.empty() || out.front() != '/' || out.find('\n') != std::string::npos) {
    return Outcome::NothingPicked;
  }
  picked = std::move(out);
  return Outcome::Picked;
}

}  // namespace

std::optional<std::string> pickWithDialogTool(const std::string& start, const std::string& title) {
  const std::string folder = !start.empty() && start.front() == '/' ? start : "/";
  const std::string slashed = folder.back() == '/' ? folder : folder + "/";
  const std::vector<std::vector<std::string>> tools = {
      {"zenity", "--file-selection", "--directory", "--title=" + title, "--filename=" + slashed},
      {"kdialog", "--title=" + title, "--getexistingdirectory", folder},
  };
  for (const auto& argv : tools) {
    std::string picked;
    switch (ask(argv, picked)) {
      case Outcome::Picked: return picked;
      case Outcome::NothingPicked: return std::nullopt;
      case Outcome::NotInstalled: break;
    }
  }
  return std::nullopt;
}

std::optional<std::string> pickFolder(const std::string& start, const std::string& title) {
  const PortalAnswer answer = portalPickFolder(start, title);
  if (answer.answered) return answer.folder;
  return pickWithDialogTool(start, title);
}

}  // namespace zs::platform::posix
