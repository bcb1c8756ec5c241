// Runs a `zavrin` command line in-process, for the command tests: the exit
// status with what the command wrote to standard output and standard error.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace zs::cli::testing {

struct Outcome {
  int status;
  std::string out, err;
};

inline Outcome run(std::vector<std::string> args, const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  CommandIo io{in, out, err};
  const int status = runCommandLine(args, io);
  return {status, out.str(), err.str()};
}

}  // namespace zs::cli::testing
