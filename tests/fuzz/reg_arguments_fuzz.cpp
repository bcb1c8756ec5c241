// The command line of `zavrin reg`, checked as the command checks it before it
// touches the store: any arguments are accepted or refused with a message,
// never anything else.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Arguments are separated by NUL bytes, as in a process's argument block.
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  try {
    zs::cli::parseRegCommandLine(args);
  } catch (const std::runtime_error&) {
    // UsageError, the command's own messages and run-time errors.
  }
  return 0;
}
