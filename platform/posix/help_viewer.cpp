#include "platform/posix/help_viewer.h"

#include "platform/posix/open_target.h"

namespace zs::platform::posix {

std::string_view helpFileOf(std::string_view reference) {
  const std::size_t topic = reference.find("::");
  const std::size_t window = reference.find('>');
  return reference.substr(0, std::min(topic, window));
}

bool HelpViewers::display(const char* reference) {
  if (!reference) return false;
  const auto command = openCommand(helpFileOf(reference));
  // Only a file opens: a help reference is never taken for a web address.
  if (!command || command->size() != 2 || command->at(1).rfind("file://", 0) != 0) return false;
  Started started = startDetached(*command);
  if (started.error != 0) return false;
  started_.add(std::move(started.process));
  return true;
}

HWND HtmlHelpPosix::HtmlHelpA(HWND, const char* file, UINT command, std::uintptr_t) {
  switch (command) {
    case kHhDisplayTopic:
    case kHhDisplayToc:
    case kHhDisplayIndex:
    case kHhDisplaySearch:
    case kHhHelpContext:
      // There is no help window of this process to name: 1 stands for "shown".
      return viewers_.display(file) ? 1 : 0;
    case kHhCloseAll:
      viewers_.closeAll();
      return 0;
    default:
      return 0;
  }
}

}  // namespace zs::platform::posix
