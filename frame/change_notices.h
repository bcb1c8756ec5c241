// The order of a control's change notifications around property assignments.
// A container hears one notice per changed property after an assignment, after
// the value is stored: the changes the control reports during the assignment
// are held back and sent after it, each once, followed by the assigned
// property itself unless the control already reported it; a failed assignment
// sends only what the control reported. Outside an assignment a report goes
// out at once.
#pragma once

#include <optional>
#include <vector>

#include "core/members.h"

namespace zs {

class ChangeNotices {
 public:
  void beginAssignment(DispId property);
  // The notices to send now that the assignment has ended.
  std::vector<DispId> endAssignment(bool succeeded);
  // The control reported a change; the notice to send at once, if any.
  std::optional<DispId> reported(DispId property);

 private:
  std::optional<DispId> assigning_;
  std::vector<DispId> held_;
};

}  // namespace zs
