// The operations of the automation host, one function each, found by the
// request's "op" in one table (see docs/automation-host.md).
#pragma once

#include <string>
#include <string_view>

#include "cli/handle_table.h"
#include "cli/request_reader.h"

namespace zs::cli {

struct HostOperation {
  std::string_view name;
  // The answer line to a request; a run-time error leaves as an exception
  // (the host answers it), except where the answer must carry more than the
  // error (a failed invoke also reports its by-reference arguments).
  std::string (*run)(const Request& request, HandleTable& handles);
};

// The operation named `name`, or null.
const HostOperation* findOperation(std::string_view name);

}  // namespace zs::cli
